// The Log page: the logging switch, the memo with the newest line first, and "Clear Log".
#include "app/LogLineText.h"
#include "app/TLogPage.h"
#include "app/TLogger.h"
#include "app/TLoggerConsoleOutputHandler.h"
#include "app/TLoggerEventLogOutputHandler.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <memory>

namespace
{

class CountingHandler : public TLoggerBaseOutputHandler
{
public:
    int Entries = 0;

protected:
    void LogOutput(const TLoggerOutputInformation &) override { ++Entries; }
};

// A page on its own logger, set up as at start-up, with the system outputs switched off and a
// counting handler standing in for them.
class LogPageTest : public ::testing::Test
{
protected:
    LogPageTest() : page(std::make_unique<TLogPage>(logger))
    {
        logger.RegisterOutputHandler(outputs);
        page->SetUpLogger();
        logger.FindOutputHandlerClass<TLoggerConsoleOutputHandler>()->Active = false;
        logger.FindOutputHandlerClass<TLoggerEventLogOutputHandler>()->Active = false;
    }
    ~LogPageTest() override { logger.UnregisterOutputHandler(outputs); }

    QPushButton *button(const char *name) const
    {
        return page->findChild<QPushButton *>(QLatin1String(name));
    }
    QString caption() const { return button("btnStartLogging")->text(); }

    TLogger logger;
    CountingHandler outputs;
    std::unique_ptr<TLogPage> page;
};

const char *const refreshLines[] = {
    "Before TitleControlsToSML ",      "After TitleControlsToSML ",
    "Before ReceiverControlsToSML; ",  "After ReceiverControlsToSML; ",
    "Before  AntennaControlsToSML ; ", "After  AntennaControlsToSML; ",
};

TEST_F(LogPageTest, StartsWithLoggingOffAndAnEmptyMemo)
{
    EXPECT_FALSE(logger.Active);
    EXPECT_TRUE(page->LogLines().isEmpty());
    EXPECT_EQ(caption(), QStringLiteral(" Start / Stop Logging"));
    EXPECT_EQ(button("btnClearLog")->text(), QStringLiteral(" Clear Log"));
    EXPECT_EQ(page->findChild<QPlainTextEdit *>(QStringLiteral("moLog"))->geometry(),
              QRect(16, 32, 673, 521));

    for (const char *line : refreshLines)
        logger.Info(QLatin1String(line));
    EXPECT_TRUE(page->LogLines().isEmpty());
    EXPECT_EQ(outputs.Entries, 0);
}

TEST_F(LogPageTest, SwitchingOnAddsStartLoggingAboveTheSystemInformation)
{
    button("btnStartLogging")->click();
    EXPECT_TRUE(logger.Active);
    EXPECT_EQ(caption(), QStringLiteral("Logging ON"));
    EXPECT_EQ(outputs.Entries, 2);

    const QStringList lines = page->LogLines();
    ASSERT_EQ(lines.size(), 2) << lines.join('\n').toStdString();
    EXPECT_TRUE(
        QRegularExpression(
            QStringLiteral("^\\[[^\\]]+\\]\\[Info\\]\\[Value: Start Logging\\]\\[Type: string\\]$"))
            .match(lines[0])
            .hasMatch())
        << lines[0].toStdString();
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^\\[[^\\]]+\\]\\[Value: %1\\]\\[Type: string\\]$")
                               .arg(QRegularExpression::escape(TLogger::SystemDescription())))
            .match(lines[1])
            .hasMatch())
        << lines[1].toStdString();

    button("btnStartLogging")->click();
    EXPECT_FALSE(logger.Active);
    EXPECT_EQ(caption(), QStringLiteral("Logging OFF"));
    EXPECT_EQ(page->LogLines().size(), 2);
    EXPECT_EQ(outputs.Entries, 2);

    button("btnStartLogging")->click();
    EXPECT_EQ(caption(), QStringLiteral("Logging ON"));
    EXPECT_EQ(page->LogLines().size(), 4);
}

TEST_F(LogPageTest, NewestLineIsFirst)
{
    page->btnStartLoggingClick();
    for (const char *line : refreshLines)
        logger.Info(QLatin1String(line));
    const QStringList lines = page->LogLines();
    ASSERT_EQ(lines.size(), 8);
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(lines[i].contains(QStringLiteral("[Value: %1]").arg(refreshLines[5 - i])))
            << lines[i].toStdString();
}

TEST_F(LogPageTest, ClearLogEmptiesTheMemoAndLeavesTheSwitchAlone)
{
    for (const bool on : {true, false}) {
        logger.Active = !on;
        page->btnStartLoggingClick();
        logger.Info(QStringLiteral("line"));
        button("btnClearLog")->click();
        EXPECT_TRUE(page->LogLines().isEmpty()) << on;
        EXPECT_EQ(logger.Active, on);
    }
}

TEST_F(LogPageTest, MarkupIsRemovedFromMemoLines)
{
    logger.Active = true;
    logger.Info(QStringLiteral("<b>first</b><BR>second"));
    const QStringList lines = page->LogLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("[Value: first"))) << lines[0].toStdString();
    EXPECT_EQ(lines[1], QStringLiteral("second][Type: string]"));
}

TEST_F(LogPageTest, ALoggerOutlivingThePageNoLongerWritesToIt)
{
    logger.Active = true;
    page.reset();
    logger.Info(QStringLiteral("after the page is gone"));
    EXPECT_EQ(outputs.Entries, 1);
}

TEST_F(LogPageTest, SettingUpAgainKeepsOneEventLogHandler)
{
    page->SetUpLogger();
    logger.Active = true;
    logger.Info(QStringLiteral("once"));
    // The first event-log handler is off; a second one would have been registered active.
    EXPECT_FALSE(logger.FindOutputHandlerClass<TLoggerEventLogOutputHandler>()->Active);
    EXPECT_EQ(page->LogLines().size(), 1);
}

} // namespace
