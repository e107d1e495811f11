// Base of the logger's output handlers: an Active switch and a lock around each output.
#pragma once

#include "app/TLoggerOutputInformation.h"

#include <mutex>

class TLoggerBaseOutputHandler
{
public:
    TLoggerBaseOutputHandler() = default;
    TLoggerBaseOutputHandler(const TLoggerBaseOutputHandler &) = delete;
    TLoggerBaseOutputHandler &operator=(const TLoggerBaseOutputHandler &) = delete;
    virtual ~TLoggerBaseOutputHandler() = default;

    // An inactive handler receives no entries.
    bool Active = true;

    // Forgets what the handler holds; the base holds nothing.
    virtual void Clear() {}

    // Hands the entry to LogOutput inside this handler's lock; nothing when inactive.
    void Output(const TLoggerOutputInformation &entry);

protected:
    // Writes one entry to the handler's destination.
    virtual void LogOutput(const TLoggerOutputInformation &entry) = 0;

private:
    std::mutex FLock;
};
