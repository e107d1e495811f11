// Output handler that writes each line, indented and without markup, to the diagnostic stream.
#pragma once

#include "app/TLoggerBaseOutputHandler.h"

#include <iosfwd>

class TLoggerConsoleOutputHandler : public TLoggerBaseOutputHandler
{
public:
    // Writes to standard error.
    TLoggerConsoleOutputHandler();
    // Writes to the given stream, which must outlive the handler.
    explicit TLoggerConsoleOutputHandler(std::ostream &out);

protected:
    void LogOutput(const TLoggerOutputInformation &entry) override;

private:
    std::ostream &FOut;
};
