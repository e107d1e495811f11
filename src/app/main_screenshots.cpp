// orvane-screenshots DIR: renders every page of the main window, loaded with the default
// document, to PNG files in DIR (created when missing). Runs headless unless
// QT_QPA_PLATFORM says otherwise. Exit status 0 when every picture was written, 1 when one
// could not be, 2 on wrong usage.
#include "about/TfrmAbout.h"
#include "app/IUserDialogs.h"
#include "app/TLogPage.h"
#include "app/TLogger.h"
#include "app/TLoggerEventLogOutputHandler.h"
#include "app/TfrmOrvane.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace
{

// No one is there to answer: every message is printed and answered as if closed.
class TUnattendedDialogs : public IUserDialogs
{
public:
    TModalResult MessageDlg(const QString &text, TMsgDlgButtons buttons, TMsgDlgType) override
    {
        std::fprintf(stderr, "orvane-screenshots: message: %s\n", qPrintable(text));
        return buttons == TMsgDlgButtons::OK ? TModalResult::OK : TModalResult::Cancel;
    }
    QString OpenFileName(const TFileDialogSpec &) override { return {}; }
    QString SaveFileName(const TFileDialogSpec &) override { return {}; }
    bool PrintDialog() override { return false; }
};

bool Save(const QPixmap &picture, const QDir &dir, const QString &name)
{
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    if (picture.save(path, "PNG")) {
        std::printf("%s\n", qPrintable(path));
        return true;
    }
    std::fprintf(stderr, "orvane-screenshots: %s: cannot be written\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvane-screenshots DIR\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "orvane-screenshots: %s: cannot create the folder\n", argv[1]);
        return 1;
    }

    // A settings store of its own, so the user's last SML file plays no part.
    QTemporaryDir settingsDir;
    TfrmOrvane window(std::make_unique<TUnattendedDialogs>(),
                      settingsDir.filePath(QStringLiteral("Orvane.conf")));
    window.show();
    QApplication::processEvents();
    // Logging on, so the Log page shows its first lines; none of them go to the system log.
    Logger().FindOutputHandlerClass<TLoggerEventLogOutputHandler>()->Active = false;
    window.tsLog->btnStartLoggingClick();

    bool allWritten = true;
    for (int i = 0; i < window.pcOrvane->count(); ++i) {
        window.pcOrvane->setCurrentIndex(i);
        QApplication::processEvents();
        allWritten &= Save(window.grab(), dir, window.pcOrvane->widget(i)->objectName());
    }

    // The About box, filled from this program's version data.
    TfrmAbout frmAbout(&window);
    frmAbout.ShowVersion();
    QApplication::processEvents();
    allWritten &= Save(frmAbout.grab(), dir, QStringLiteral("frmAbout"));
    return allWritten ? 0 : 1;
}
