#include "app/TLoggerConsoleOutputHandler.h"

#include "app/LogLineText.h"

#include <iostream>

TLoggerConsoleOutputHandler::TLoggerConsoleOutputHandler() : FOut(std::cerr) {}

TLoggerConsoleOutputHandler::TLoggerConsoleOutputHandler(std::ostream &out) : FOut(out) {}

void TLoggerConsoleOutputHandler::LogOutput(const TLoggerOutputInformation &entry)
{
    FOut << StripHTML(GetConcatenatedLogMessage(entry, true)).toStdString() << '\n' << std::flush;
}
