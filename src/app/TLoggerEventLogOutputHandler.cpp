#include "app/TLoggerEventLogOutputHandler.h"

#include "app/LogLineText.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cerrno>
#include <syslog.h>

namespace
{

QString executableFileName()
{
    if (QCoreApplication::instance() != nullptr)
        return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return QString::fromLocal8Bit(program_invocation_short_name);
}

} // namespace

TLoggerEventLogOutputHandler::TLoggerEventLogOutputHandler() : Source(executableFileName()) {}

int TLoggerEventLogOutputHandler::Priority(TLoggerLogLevel level)
{
    switch (level) {
    case TLoggerLogLevel::Warning:
        return LOG_WARNING;
    case TLoggerLogLevel::Error:
        return LOG_ERR;
    default:
        return LOG_INFO;
    }
}

int TLoggerEventLogOutputHandler::EventIdentifier(TLoggerLogLevel level)
{
    return static_cast<int>(level) + 1;
}

void TLoggerEventLogOutputHandler::LogOutput(const TLoggerOutputInformation &entry)
{
    ReportEvent(Priority(entry.LogLevel), EventIdentifier(entry.LogLevel),
                StripHTML(GetConcatenatedLogMessage(entry, false)));
}

void TLoggerEventLogOutputHandler::ReportEvent(int priority, int /*eventIdentifier*/,
                                               const QString &message)
{
    if (Source.isEmpty())
        return;
    // openlog keeps the identity pointer until closelog, so it must live across both calls.
    const QByteArray ident = Source.toUtf8();
    openlog(ident.constData(), LOG_PID, LOG_USER);
    syslog(priority, "%s", message.toUtf8().constData());
    closelog();
}
