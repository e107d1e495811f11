// Standard output, one-line errors and terminal progress of orvane-tag.
#pragma once

#include "media/TagProgress.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <exception>

#include <chrono>

class TTagConsole
{
public:
    // Progress is shown only when standard error is a terminal.
    TTagConsole();

    // Writes bytes to standard output as they are.
    void Out(const QByteArray &bytes);
    void Out(const QString &text) { Out(text.toUtf8()); }
    // "orvane-tag: <subject>: <reason>" on standard error, clearing any progress line.
    void Error(const QString &subject, const QString &reason);
    // The error of a file operation: the media layer says "<file>: <reason>" for one of
    // the files involved; the line names that file once, or subjects.first() otherwise.
    void Error(const QStringList &subjects, const std::exception &e);
    // "orvane-tag: <message>" on standard error.
    void Error(const QString &message);

    // Starts the progress line of file index (from 1) of count.
    void BeginFile(int index, int count, const QString &fileName);
    // A progress callback for the current file; shows bytes once a file is large.
    TTagProgress BytesProgress();
    // Clears the progress line.
    void EndProgress();

private:
    void Show(const QString &line);

    bool FTerminal = false;
    bool FLineShown = false;
    QString FCurrent;
    std::chrono::steady_clock::time_point FLastDraw;
};
