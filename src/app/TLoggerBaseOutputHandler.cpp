#include "app/TLoggerBaseOutputHandler.h"

void TLoggerBaseOutputHandler::Output(const TLoggerOutputInformation &entry)
{
    if (!Active)
        return;
    const std::lock_guard<std::mutex> guard(FLock);
    LogOutput(entry);
}
