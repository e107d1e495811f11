// One log entry as the logger hands it to its output handlers and its notification.
#pragma once

#include "app/TLoggerLogLevel.h"
#include "app/TLoggerOutputs.h"

#include <QColor>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <cstdint>

// Parts whose flag is not in Outputs stay empty.
struct TLoggerOutputInformation {
    QVariantList Values;
    TLoggerLogLevel LogLevel = TLoggerLogLevel::Info;
    std::int32_t Indent = 0;
    QStringList ValueNames;
    QColor OutputParameters; // read only by markup outputs
    QString TimeStampOutput;
    QString ProcessIDOutput;
    QString MemoryUsageOutput;
    QString ThreadIDOutput;
    QString ValueOutput;
    QString TypeOutput;
    QString NameOutput;
    QString LogLevelOutput;
    QDateTime TimeStamp;
    std::uint32_t ProcessID = 0;
    std::uint32_t MemoryUsage = 0;
    std::uint32_t ThreadID = 0;
    QString Format; // system information entries only
    TLoggerOutputs Outputs = DefaultLoggerOutputs;
    QString ID;
    QString Host;
};
