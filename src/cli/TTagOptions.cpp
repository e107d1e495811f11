#include "cli/TTagOptions.h"

namespace
{

using TCommand = TTagOptions::TCommand;

[[noreturn]] void usage(const QString &text)
{
    throw EUsageError(text.toStdString());
}

// Takes the value of an option given as "--name VALUE" or "--name=VALUE".
QString valueOf(const QStringList &arguments, int &i, const QString &name, const QString &inline_)
{
    if (!inline_.isNull())
        return inline_;
    if (i + 1 >= arguments.size())
        usage(QStringLiteral("option %1 needs a value").arg(name));
    return arguments[++i];
}

} // namespace

TTagOptions TTagOptions::Parse(const QStringList &arguments)
{
    TTagOptions options;
    if (arguments.isEmpty())
        usage(QStringLiteral("no command given"));
    const QString command = arguments.first();
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        options.HelpTopic = arguments.value(1);
        return options;
    }
    if (command == QLatin1String("--version")) {
        options.Command = TCommand::Version;
        return options;
    }
    if (command == QLatin1String("show"))
        options.Command = TCommand::Show;
    else if (command == QLatin1String("extract"))
        options.Command = TCommand::Extract;
    else if (command == QLatin1String("embed"))
        options.Command = TCommand::Embed;
    else
        usage(QStringLiteral("unknown command \"%1\"").arg(command));

    bool filesOnly = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (filesOnly || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            options.Files << argument;
            continue;
        }
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? argument : argument.left(equals);
        const QString inline_ = equals < 0 ? QString() : argument.mid(equals + 1);
        if (name == QLatin1String("--")) {
            filesOnly = true;
        } else if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
            options.HelpTopic = command;
            options.Command = TCommand::Help;
            return options;
        } else if (name == QLatin1String("--json") && options.Command == TCommand::Show) {
            options.Json = true;
        } else if (name == QLatin1String("--sml") && options.Command == TCommand::Embed) {
            options.Sml = valueOf(arguments, i, name, inline_);
        } else if ((name == QLatin1String("-o") || name == QLatin1String("--output")) &&
                   options.Command != TCommand::Show) {
            options.Output = valueOf(arguments, i, name, inline_);
        } else if (name == QLatin1String("--output-dir") && options.Command == TCommand::Embed) {
            options.OutputDir = valueOf(arguments, i, name, inline_);
        } else {
            usage(QStringLiteral("unknown option \"%1\" for %2").arg(argument, command));
        }
    }

    if (options.Files.isEmpty())
        usage(QStringLiteral("%1: no FILE given").arg(command));
    if (options.Command == TCommand::Extract && options.Files.size() != 1)
        usage(QStringLiteral("extract takes exactly one FILE"));
    if (options.Command == TCommand::Embed) {
        if (options.Sml.isEmpty())
            usage(QStringLiteral("embed needs --sml DOC"));
        if (!options.Output.isEmpty() && !options.OutputDir.isEmpty())
            usage(QStringLiteral("-o and --output-dir cannot be combined"));
        if (!options.Output.isEmpty() && options.Files.size() != 1)
            usage(QStringLiteral("-o takes exactly one FILE; use --output-dir for several"));
    }
    return options;
}

QString TagHelpText(const QString &command)
{
    if (command == QLatin1String("show"))
        return QStringLiteral(
            "Usage: orvane-tag show [--json] FILE...\n"
            "For each WAV or JPG file (told by its content): whether it carries an SML\n"
            "document, its size, whether it loads, its target, creation date and time and\n"
            "recorded file names; for a WAV its chunks and what the load noticed, for a JPG\n"
            "its comment segments and which one holds the document.\n"
            "  --json   one JSON array with one object per file\n");
    if (command == QLatin1String("extract"))
        return QStringLiteral(
            "Usage: orvane-tag extract FILE [-o OUT]\n"
            "Writes the SML document embedded in FILE as UTF-8 text to standard output,\n"
            "or to OUT. Exit status 3 when FILE carries no SML document.\n");
    if (command == QLatin1String("embed"))
        return QStringLiteral(
            "Usage: orvane-tag embed --sml DOC FILE... [-o OUT | --output-dir DIR]\n"
            "Tags each WAV or JPG FILE with the SML document DOC: in place by default,\n"
            "into OUT (one FILE only) or into DIR under the same file name. The title\n"
            "block's Files element records DOC and the written file. DOC must load as an\n"
            "SML document, else nothing is touched.\n");
    return QStringLiteral(
        "Usage: orvane-tag COMMAND [OPTIONS] FILE...\n"
        "Reads and writes the station's SML document in WAV recordings and JPG pictures.\n"
        "\n"
        "Commands:\n"
        "  show [--json] FILE...                          what each file carries\n"
        "  extract FILE [-o OUT]                          write the embedded document\n"
        "  embed --sml DOC FILE... [-o OUT | --output-dir DIR]   tag files with DOC\n"
        "\n"
        "  --help      this text (COMMAND --help: help on one command)\n"
        "  --version   the program version\n"
        "\n"
        "Exit status: 0 all went well, 1 at least one file failed, 2 wrong usage,\n"
        "3 extract found no SML document.\n");
}
