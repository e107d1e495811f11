#include "app/TLoggerLogLevel.h"

QString LoggerLogLevelName(TLoggerLogLevel level)
{
    static const char *const names[LoggerLogLevelCount] = {"Trace", "Debug",     "Info", "Warning",
                                                           "Error", "Exception", "All"};
    return QString::fromLatin1(names[static_cast<int>(level)]);
}
