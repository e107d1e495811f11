// The logger: entries, their line format, handler order, the two output handlers and the
// text helpers.
#include "app/LogLineText.h"
#include "app/TLogger.h"
#include "app/TLoggerConsoleOutputHandler.h"
#include "app/TLoggerEventLogOutputHandler.h"

#include <QLocale>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <sstream>
#include <syslog.h>

namespace
{

// Keeps every entry it is handed, and the names of the handlers in the order they ran.
class CaptureHandler : public TLoggerBaseOutputHandler
{
public:
    explicit CaptureHandler(QStringList *order = nullptr, QString name = {})
        : FOrder(order), FName(std::move(name))
    {
    }
    std::vector<TLoggerOutputInformation> Entries;
    int Clears = 0;
    void Clear() override { ++Clears; }

protected:
    void LogOutput(const TLoggerOutputInformation &entry) override
    {
        Entries.push_back(entry);
        if (FOrder != nullptr)
            FOrder->append(FName);
    }

private:
    QStringList *FOrder;
    QString FName;
};

struct ReportedEvent {
    int priority;
    int identifier;
    QString message;
};

class CaptureEventLog : public TLoggerEventLogOutputHandler
{
public:
    std::vector<ReportedEvent> Events;

protected:
    void ReportEvent(int priority, int identifier, const QString &message) override
    {
        Events.push_back({priority, identifier, message});
    }
};

// A logger whose own console handler is switched off, with a capture handler attached.
class LoggerTest : public ::testing::Test
{
protected:
    LoggerTest()
    {
        logger.FindOutputHandlerClass<TLoggerConsoleOutputHandler>()->Active = false;
        logger.RegisterOutputHandler(capture);
    }

    const TLoggerOutputInformation &only() const
    {
        EXPECT_EQ(capture.Entries.size(), 1u);
        return capture.Entries.back();
    }

    TLogger logger;
    CaptureHandler capture;
};

TEST_F(LoggerTest, StartsActiveWithEveryLevelTheDefaultOutputsAndAConsoleHandler)
{
    EXPECT_TRUE(logger.Active);
    EXPECT_TRUE(logger.LevelFilter.all());
    EXPECT_EQ(logger.Outputs, 241);
    EXPECT_NE(logger.FindOutputHandlerClass<TLoggerConsoleOutputHandler>(), nullptr);
    EXPECT_EQ(logger.FindOutputHandlerClass<TLoggerEventLogOutputHandler>(), nullptr);
}

TEST_F(LoggerTest, InfoEntryHasTimeStampLevelValueAndTypeParts)
{
    logger.Indent = 2;
    logger.Info(QStringLiteral("Start Logging"));
    const TLoggerOutputInformation &entry = only();

    EXPECT_EQ(entry.LogLevel, TLoggerLogLevel::Info);
    EXPECT_EQ(entry.Values, QVariantList{QStringLiteral("Start Logging")});
    EXPECT_EQ(entry.ValueNames, QStringList{QString()});
    EXPECT_EQ(entry.Indent, 2);
    EXPECT_TRUE(entry.Format.isEmpty());
    EXPECT_EQ(entry.ID, QStringLiteral("0"));
    EXPECT_EQ(entry.TimeStampOutput, QStringLiteral("[%1]").arg(LogDateTimeText(entry.TimeStamp)));
    EXPECT_EQ(entry.LogLevelOutput, QStringLiteral("[Info]"));
    EXPECT_EQ(entry.ValueOutput, QStringLiteral("[Value: Start Logging]"));
    EXPECT_EQ(entry.TypeOutput, QStringLiteral("[Type: string]"));
    EXPECT_TRUE(entry.NameOutput.isEmpty());
    EXPECT_TRUE(entry.ProcessIDOutput.isEmpty());
    EXPECT_TRUE(entry.ThreadIDOutput.isEmpty());
    EXPECT_TRUE(entry.MemoryUsageOutput.isEmpty());
    EXPECT_GT(entry.ProcessID, 0u);
    EXPECT_GT(entry.ThreadID, 0u);
    EXPECT_EQ(GetConcatenatedLogMessage(entry, false),
              entry.TimeStampOutput + QStringLiteral("[Info][Value: Start Logging][Type: string]"));
}

TEST_F(LoggerTest, SystemInformationEntryHasNoLevelPartAndFillsItsFormat)
{
    const QString description = TLogger::SystemDescription();
    ASSERT_FALSE(description.isEmpty());
    const struct {
        QString format;
        QString value;
    } cases[] = {
        {QString(), QStringLiteral("[Value: %1]").arg(description)},
        {QStringLiteral("OS {%s}."), QStringLiteral("[Value: OS %1.]").arg(description)},
    };
    for (const auto &c : cases) {
        capture.Entries.clear();
        logger.LogSystemInformation(c.format);
        const TLoggerOutputInformation &entry = only();
        EXPECT_EQ(entry.LogLevel, TLoggerLogLevel::All);
        EXPECT_TRUE(entry.LogLevelOutput.isEmpty());
        EXPECT_TRUE(entry.ValueNames.isEmpty());
        EXPECT_EQ(entry.ValueOutput, c.value);
        EXPECT_EQ(GetConcatenatedLogMessage(entry, false),
                  entry.TimeStampOutput + c.value + QStringLiteral("[Type: string]"));
    }
}

TEST_F(LoggerTest, InactiveOrFilteredOutProducesNothing)
{
    QStringList notified;
    logger.BindOnOutput([&](TLogger &, const TLoggerOutputInformation &) { notified << "x"; },
                        this);
    logger.Active = false;
    logger.Info(QStringLiteral("a"));
    logger.LogSystemInformation();
    logger.Active = true;
    logger.LevelFilter.reset(static_cast<std::size_t>(TLoggerLogLevel::All));
    logger.LogSystemInformation();
    EXPECT_TRUE(capture.Entries.empty());
    EXPECT_TRUE(notified.isEmpty());
    EXPECT_EQ(logger.EntryCount(), 0);

    logger.Info(QStringLiteral("b"));
    EXPECT_EQ(capture.Entries.size(), 1u);
    EXPECT_EQ(notified.size(), 1);
}

TEST_F(LoggerTest, EmptyTextHasNoValuePart)
{
    logger.Info(QString());
    EXPECT_TRUE(only().ValueOutput.isEmpty());
    EXPECT_EQ(only().TypeOutput, QStringLiteral("[Type: string]"));
}

TEST_F(LoggerTest, HandlersRunInRegistrationOrderThenTheNotification)
{
    QStringList order;
    CaptureHandler plainFirst(&order, QStringLiteral("plain 1"));
    CaptureHandler plainInactive(&order, QStringLiteral("inactive"));
    plainInactive.Active = false;
    logger.UnregisterOutputHandler(capture);
    logger.RegisterOutputHandlerClass<CaptureHandler>(&order, QStringLiteral("managed"));
    logger.RegisterOutputHandler(plainFirst);
    logger.RegisterOutputHandler(plainInactive);
    logger.BindOnOutput(
        [&](TLogger &sender, const TLoggerOutputInformation &entry) {
            EXPECT_EQ(&sender, &logger);
            order << QStringLiteral("notified ") + entry.ID;
        },
        this);

    logger.Info(QStringLiteral("one"));
    logger.Info(QStringLiteral("two"));
    EXPECT_EQ(order, (QStringList{"plain 1", "managed", "notified 0", "plain 1", "managed",
                                  "notified 1"}));
}

TEST_F(LoggerTest, ClearRestartsTheCounterAndClearsEveryHandler)
{
    auto &managed = logger.RegisterOutputHandlerClass<CaptureHandler>();
    logger.Info(QStringLiteral("a"));
    logger.Info(QStringLiteral("b"));
    logger.Clear();
    EXPECT_EQ(capture.Clears, 1);
    EXPECT_EQ(managed.Clears, 1);
    logger.Info(QStringLiteral("c"));
    EXPECT_EQ(capture.Entries.back().ID, QStringLiteral("0"));
}

TEST_F(LoggerTest, UnbindingLeavesAnotherOwnersBindingAlone)
{
    int calls = 0;
    const int otherOwner = 0;
    logger.BindOnOutput([&](TLogger &, const TLoggerOutputInformation &) { ++calls; }, this);
    logger.UnbindOnOutput(&otherOwner);
    logger.Info(QStringLiteral("a"));
    logger.UnbindOnOutput(this);
    logger.Info(QStringLiteral("b"));
    EXPECT_EQ(calls, 1);
}

TEST_F(LoggerTest, EventLogMapsLevelsToPrioritiesAndWritesTheLineWithoutIndentation)
{
    const struct {
        TLoggerLogLevel level;
        int priority;
        int identifier;
    } cases[] = {
        {TLoggerLogLevel::Trace, LOG_INFO, 1}, {TLoggerLogLevel::Debug, LOG_INFO, 2},
        {TLoggerLogLevel::Info, LOG_INFO, 3},  {TLoggerLogLevel::Warning, LOG_WARNING, 4},
        {TLoggerLogLevel::Error, LOG_ERR, 5},  {TLoggerLogLevel::Exception, LOG_INFO, 6},
        {TLoggerLogLevel::All, LOG_INFO, 7},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(TLoggerEventLogOutputHandler::Priority(c.level), c.priority);
        EXPECT_EQ(TLoggerEventLogOutputHandler::EventIdentifier(c.level), c.identifier);
    }

    auto &eventLog = logger.RegisterOutputHandlerClass<CaptureEventLog>();
    EXPECT_EQ(eventLog.Source, QStringLiteral("test_app_logger"));
    EXPECT_TRUE(eventLog.Server.isEmpty());
    logger.Indent = 3;
    logger.Info(QStringLiteral("<b>Start</b> Logging"));
    logger.LogSystemInformation();
    ASSERT_EQ(eventLog.Events.size(), 2u);
    EXPECT_EQ(eventLog.Events[0].priority, LOG_INFO);
    EXPECT_EQ(eventLog.Events[0].identifier, 3);
    EXPECT_EQ(eventLog.Events[0].message,
              capture.Entries[0].TimeStampOutput +
                  QStringLiteral("[Info][Value: Start Logging][Type: string]"));
    EXPECT_EQ(eventLog.Events[1].identifier, 7);
    EXPECT_FALSE(eventLog.Events[1].message.startsWith(QLatin1Char(' ')));
}

TEST_F(LoggerTest, ConsoleWritesTheLineIndentedAndWithoutMarkup)
{
    std::ostringstream out;
    logger.RegisterOutputHandlerClass<TLoggerConsoleOutputHandler>(out);
    logger.Indent = 2;
    logger.Info(QStringLiteral("a<BR>b"));
    EXPECT_EQ(QString::fromStdString(out.str()),
              QStringLiteral("      ") + capture.Entries[0].TimeStampOutput +
                  QStringLiteral("[Info][Value: a\r\nb][Type: string]\n"));
}

TEST(LogLineText, ConcatenationFollowsTheOutputsWithIndentAndDelimiter)
{
    TLoggerOutputInformation entry;
    entry.TimeStampOutput = "T";
    entry.ProcessIDOutput = "P";
    entry.ThreadIDOutput = "H";
    entry.MemoryUsageOutput = "M";
    entry.LogLevelOutput = "L";
    entry.NameOutput = "N";
    entry.ValueOutput = "V";
    entry.TypeOutput = "Y";
    entry.Indent = 2;
    const struct {
        TLoggerOutputs outputs;
        bool indent;
        QChar delimiter;
        const char *expected;
    } cases[] = {
        {DefaultLoggerOutputs, false, QChar(), "TLNVY"},
        {DefaultLoggerOutputs, true, QChar(), "      TLNVY"},
        {0xFF, false, QChar(), "TPHMLNVY"},
        {0xFF, false, QLatin1Char('|'), "T|P|H|M|L|N|V|Y"},
        {loValue | loType, true, QLatin1Char(';'), "      V;Y"},
        {loTimeStamp, false, QLatin1Char(';'), "T;"},
        {0, true, QChar(), "      "},
    };
    for (const auto &c : cases) {
        entry.Outputs = c.outputs;
        EXPECT_EQ(GetConcatenatedLogMessage(entry, c.indent, c.delimiter),
                  QString::fromLatin1(c.expected))
            << c.expected;
    }
}

TEST(LogLineText, StripHTMLTurnsBreaksIntoLineEndsAndDropsTags)
{
    const struct {
        const char *text;
        const char *expected;
    } cases[] = {
        {"Start Logging", "Start Logging"},
        {"one<BR>two", "one\r\ntwo"},
        {"one<br/>two<Hr>three", "one\r\ntwo\r\nthree"},
        {"<b>bold</b> text", "bold text"},
        {"<font color=\"red\">x</font>", "x"},
        {"a < b", "a < b"},
        {"<b>x</b> and a < b", "x and a < b"},
        {"a > b", "a > b"},
        {"<>", ""},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(StripHTML(QString::fromLatin1(c.text)), QString::fromLatin1(c.expected))
            << c.text;
}

TEST(LogLineText, DateTimeLeavesOutTheTimeAtMidnightAndTheTimeZoneAlways)
{
    const QDate date(2026, 3, 14);
    const QString dateText = QLocale::system().toString(date, QLocale::ShortFormat);
    EXPECT_EQ(LogDateTimeText(QDateTime(date, QTime(0, 0))), dateText);
    const QString withTime = LogDateTimeText(QDateTime(date, QTime(21, 7, 5)));
    EXPECT_TRUE(withTime.startsWith(dateText + QLatin1Char(' '))) << withTime.toStdString();
    EXPECT_TRUE(withTime.contains(QStringLiteral("07"))) << withTime.toStdString();
    EXPECT_TRUE(withTime.contains(QStringLiteral("05"))) << withTime.toStdString();
    EXPECT_FALSE(withTime.contains(QRegularExpression(QStringLiteral("[A-Z]{3}"))))
        << withTime.toStdString();
    EXPECT_TRUE(LogDateTimeText(QDateTime()).isEmpty());
}

TEST(LogLineText, DateTimeDropsTheZoneWithTheBracketsOrSeparatorAroundIt)
{
    // Long time formats that put the zone in brackets, after a comma or in front.
    const struct {
        const char *locale;
        const char *time;
    } cases[] = {
        {"es_ES", "21:07:05"}, {"hr_HR", "21:07:05"},        {"be_BY", "21:07:05"},
        {"zh_CN", "21:07:05"}, {"en_US", "9:07:05 PM"}, {"C", "21:07:05"},
    };
    const QDate date(2026, 3, 14);
    for (const auto &c : cases) {
        const QLocale locale(QLatin1String(c.locale));
        EXPECT_EQ(LogDateTimeText(QDateTime(date, QTime(21, 7, 5)), locale),
                  locale.toString(date, QLocale::ShortFormat) + QLatin1Char(' ') +
                      QString::fromUtf8(c.time))
            << c.locale;
    }
}

} // namespace
