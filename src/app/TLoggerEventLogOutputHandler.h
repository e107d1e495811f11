// Output handler that reports each line, without indentation and markup, to the system log.
#pragma once

#include "app/TLoggerBaseOutputHandler.h"

#include <QString>

class TLoggerEventLogOutputHandler : public TLoggerBaseOutputHandler
{
public:
    TLoggerEventLogOutputHandler();

    // Identity of the entries in the system log: the executable's file name at first.
    QString Source;
    // Kept for compatibility; entries always go to the local system log.
    QString Server;

    // syslog priority of a level: warning, error, or information for every other level.
    static int Priority(TLoggerLogLevel level);
    // Event identifier of a level: its ordinal + 1 (Info is 3, All is 7).
    static int EventIdentifier(TLoggerLogLevel level);

protected:
    void LogOutput(const TLoggerOutputInformation &entry) override;

    // Reports one event under Source; an empty Source reports nothing.
    virtual void ReportEvent(int priority, int eventIdentifier, const QString &message);
};
