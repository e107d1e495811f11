// Times the main window's SML workflow on the default document: creating the window (settings,
// default load, show sequence), Save As (collect sequence with the raw XML page following every
// change, then the write) and Open of the saved file. Prints median and worst of each; runs
// headless unless QT_QPA_PLATFORM says otherwise.
#include "app/IUserDialogs.h"
#include "app/TfrmOrvane.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace
{

// Answers every file dialog with one fixed file and every message box with OK.
class TFixedDialogs : public IUserDialogs
{
public:
    explicit TFixedDialogs(QString file) : FFile(std::move(file)) {}
    TModalResult MessageDlg(const QString &text, TMsgDlgButtons, TMsgDlgType) override
    {
        std::fprintf(stderr, "mainwindow_bench: unexpected message: %s\n", qPrintable(text));
        return TModalResult::OK;
    }
    QString OpenFileName(const TFileDialogSpec &) override { return FFile; }
    QString SaveFileName(const TFileDialogSpec &) override { return FFile; }
    bool PrintDialog() override { return false; }

private:
    QString FFile;
};

void Report(const char *what, int runs, const std::function<void()> &step)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s median %8.2f ms   worst %8.2f ms   (%d runs)\n", what, ms[ms.size() / 2],
                ms.back(), runs);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("Orvane.conf"));
    const QString file = dir.filePath(QStringLiteral("station.xml"));

    Report("window creation with the default document", 10,
           [&] { TfrmOrvane window(std::make_unique<TFixedDialogs>(file), settings); });

    TfrmOrvane window(std::make_unique<TFixedDialogs>(file), settings);
    Report("Save As of the default document", 20, [&] { window.btnSMLSaveAs->click(); });
    Report("Open of the saved document", 20, [&] { window.btnOpenSMLFile->click(); });
    Report("Save of the opened document", 20, [&] { window.btnSMLSave->click(); });
    return 0;
}
