// The Log page inside the main window: logging is off after start-up, and "Refresh SML" logs
// its six progress lines only while logging is on.
#include "app/TLogPage.h"
#include "app/TLogger.h"
#include "app/TLoggerConsoleOutputHandler.h"
#include "app/TLoggerEventLogOutputHandler.h"
#include "app/TScriptedDialogs.h"
#include "app/TfrmOrvane.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace
{

class LogPageInMainWindow : public ::testing::Test
{
protected:
    LogPageInMainWindow()
        : window(std::make_unique<TScriptedDialogs>(), dir.filePath(QStringLiteral("Orvane.conf")))
    {
        // The process-wide logger would otherwise write the test's lines to the system log.
        Logger().FindOutputHandlerClass<TLoggerConsoleOutputHandler>()->Active = false;
        Logger().FindOutputHandlerClass<TLoggerEventLogOutputHandler>()->Active = false;
    }

    TLogPage &page() { return *window.tsLog; }

    QTemporaryDir dir;
    TfrmOrvane window;
};

TEST_F(LogPageInMainWindow, StartsWithLoggingOffAndRefreshLogsNothing)
{
    EXPECT_FALSE(Logger().Active);
    EXPECT_EQ(window.pcOrvane->tabText(window.pcOrvane->indexOf(&page())), QStringLiteral("Log"));
    EXPECT_TRUE(page().LogLines().isEmpty());
    ASSERT_TRUE(window.docSML->Active());
    window.btnRefreshSML->click();
    EXPECT_TRUE(page().LogLines().isEmpty());
}

TEST_F(LogPageInMainWindow, RefreshWithLoggingOnAddsSixLinesNewestFirst)
{
    page().findChild<QPushButton *>(QStringLiteral("btnStartLogging"))->click();
    ASSERT_EQ(page().LogLines().size(), 2);
    window.btnRefreshSML->click();
    const QStringList lines = page().LogLines();
    ASSERT_EQ(lines.size(), 8);
    const char *const newestFirst[] = {
        "After  AntennaControlsToSML; ", "Before  AntennaControlsToSML ; ",
        "After ReceiverControlsToSML; ", "Before ReceiverControlsToSML; ",
        "After TitleControlsToSML ",     "Before TitleControlsToSML ",
    };
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(lines[i].endsWith(
            QStringLiteral("[Info][Value: %1][Type: string]").arg(QLatin1String(newestFirst[i]))))
            << lines[i].toStdString();
    EXPECT_TRUE(lines[6].contains(QStringLiteral("[Value: Start Logging]")));
}

} // namespace
