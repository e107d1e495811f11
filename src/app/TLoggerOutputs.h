// Which parts of a log line are produced, and the format text of each part.
#pragma once

#include <QString>

#include <cstdint>

// One flag per part of a line, in the order the parts are joined.
enum TLoggerOutput : std::uint8_t {
    loTimeStamp = 1u << 0,
    loProcessID = 1u << 1,
    loThreadID = 1u << 2,
    loMemoryUsage = 1u << 3,
    loLogLevel = 1u << 4,
    loName = 1u << 5,
    loValue = 1u << 6,
    loType = 1u << 7,
};

using TLoggerOutputs = std::uint8_t;

// Time stamp, level, name, value and type.
constexpr TLoggerOutputs DefaultLoggerOutputs =
    loTimeStamp | loLogLevel | loName | loValue | loType;

// "{%s}" stands for the value as text, "{%dt}" for a date and time, "{%bt}" for a byte count.
struct TLoggerOutputFormats {
    QString TimeStampFormat = QStringLiteral("[{%dt}]");
    QString ProcessIDFormat = QStringLiteral("[{%s}]");
    QString ThreadIDFormat = QStringLiteral("[{%s}]");
    QString LogLevelFormat = QStringLiteral("[{%s}]");
    QString ValueFormat = QStringLiteral("[Value: {%s}]");
    QString NameFormat = QStringLiteral("[Name: {%s}]");
    QString TypeFormat = QStringLiteral("[Type: {%s}]");
    QString MemoryUsageFormat = QStringLiteral("[Memory usage: {%bt}]");
};
