// orvane-tag: reads and writes the station's SML document in WAV recordings and JPG
// pictures from scripts, on the same code the window uses.
#include "cli/TTagConsole.h"
#include "cli/TTagOptions.h"
#include "cli/TagCommands.h"

#include <QStringList>

#include <clocale>
#include <cstdio>

#ifndef ORVANE_VERSION
#define ORVANE_VERSION "unknown"
#endif

int main(int argc, char **argv)
{
    std::setlocale(LC_ALL, "");
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    TTagConsole console;
    TTagOptions options;
    try {
        options = TTagOptions::Parse(arguments);
    } catch (const EUsageError &e) {
        // One line, as every error: the hint goes on the same line.
        console.Error(QString::fromUtf8(e.what()) + QStringLiteral(" (try 'orvane-tag --help')"));
        return 2;
    }

    using TCommand = TTagOptions::TCommand;
    int status = 0;
    switch (options.Command) {
    case TCommand::Help:
        console.Out(TagHelpText(options.HelpTopic));
        break;
    case TCommand::Version:
        console.Out(QStringLiteral("orvane-tag " ORVANE_VERSION "\n"));
        break;
    case TCommand::Show:
        status = RunShow(options, console);
        break;
    case TCommand::Extract:
        status = RunExtract(options, console);
        break;
    case TCommand::Embed:
        status = RunEmbed(options, console);
        break;
    }
    std::fflush(stdout);
    return status;
}
