// Severity of a log entry and the filter set over the severities.
#pragma once

#include <QString>

#include <bitset>

// The levels in their fixed order; the ordinal is part of the event-log record.
enum class TLoggerLogLevel { Trace, Debug, Info, Warning, Error, Exception, All };

constexpr int LoggerLogLevelCount = 7;

// A set of levels, one bit per level ordinal.
using TLoggerLogLevels = std::bitset<LoggerLogLevelCount>;

// The enumerator name of a level ("Info"); never empty.
QString LoggerLogLevelName(TLoggerLogLevel level);
