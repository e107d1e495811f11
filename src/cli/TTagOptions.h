// The command line of orvane-tag, parsed.
#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

// A command line that cannot be run; what() says why (exit status 2).
class EUsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct TTagOptions {
    enum class TCommand { Help, Version, Show, Extract, Embed };
    TCommand Command = TCommand::Help;
    QString HelpTopic; // the command whose help was asked for; empty: general help
    bool Json = false;
    QString Sml;
    QString Output;    // -o
    QString OutputDir; // --output-dir
    QStringList Files;

    // Parses the arguments after the program name. Throws EUsageError for an unknown
    // command or option, a missing value or file, or options that do not fit together.
    static TTagOptions Parse(const QStringList &arguments);
};

// The help text of a command ("" gives the general help).
QString TagHelpText(const QString &command);
