// The progress of a long recording or picture save: shown only after the quiet time,
// taken back when the save fails, and the window kept open while the save runs.
#include "app/TSaveProgress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QThread>
#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>

// Readable failure messages for texts.
void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace
{

const QString Before = QStringLiteral("Start Saving WAV file");

// Runs a save that reports 40 % (after waitMs) and then fails or ends; returns the text
// the panel shows afterwards.
QString PanelAfterSave(unsigned long waitMs, bool fails)
{
    QObject window;
    QString panel = Before;
    try {
        TSaveProgress progress(
            window, [&panel](const QString &text) { panel = text; },
            QStringLiteral("Saving WAV file"), panel);
        QThread::msleep(waitMs);
        progress.Callback()(40, 100);
        if (fails)
            throw std::runtime_error("No space left on device");
    } catch (const std::runtime_error &) {
    }
    return panel;
}

} // namespace

TEST(TSaveProgress, ShowsLongSavesAndTakesTheirProgressBackWhenTheyFail)
{
    const struct {
        const char *Name;
        unsigned long WaitMs;
        bool Fails;
        QString Panel;
    } cases[] = {
        {"quick save", 0, false, Before},
        {"quick failure", 0, true, Before},
        {"long save", 600, false, QStringLiteral("Saving WAV file 40%")},
        {"long failure", 600, true, Before},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(PanelAfterSave(c.WaitMs, c.Fails), c.Panel);
    }
}

TEST(TSaveProgress, KeepsTheWindowOpenWhileTheSaveRuns)
{
    QWidget window;
    {
        TSaveProgress progress(window, [](const QString &) {}, QStringLiteral("Saving"), {});
        QCloseEvent close;
        QCoreApplication::sendEvent(&window, &close);
        EXPECT_FALSE(close.isAccepted());
    }
    QCloseEvent close;
    QCoreApplication::sendEvent(&window, &close);
    EXPECT_TRUE(close.isAccepted());
}
