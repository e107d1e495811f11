#include "cli/TTagConsole.h"

#include <cstdio>
#include <unistd.h>

namespace
{

// Files below this size are copied too fast for a byte count to mean anything.
constexpr qint64 largeFileBytes = 64LL << 20;

} // namespace

TTagConsole::TTagConsole() : FTerminal(::isatty(STDERR_FILENO) == 1) {}

void TTagConsole::Out(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

void TTagConsole::Error(const QString &subject, const QString &reason)
{
    Error(QStringLiteral("%1: %2").arg(subject, reason));
}

void TTagConsole::Error(const QStringList &subjects, const std::exception &e)
{
    const QString message = QString::fromUtf8(e.what());
    for (const QString &subject : subjects)
        if (!subject.isEmpty() && message.startsWith(subject + QLatin1String(": ")))
            return Error(subject, message.mid(subject.size() + 2));
    Error(subjects.value(0), message);
}

void TTagConsole::Error(const QString &message)
{
    EndProgress();
    std::fflush(stdout);
    const QByteArray line = "orvane-tag: " + message.simplified().toUtf8() + "\n";
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
}

void TTagConsole::BeginFile(int index, int count, const QString &fileName)
{
    if (!FTerminal)
        return;
    FCurrent = QStringLiteral("[%1/%2] %3").arg(index).arg(count).arg(fileName);
    Show(FCurrent);
}

TTagProgress TTagConsole::BytesProgress()
{
    if (!FTerminal)
        return {};
    return [this](qint64 done, qint64 total) {
        if (total < largeFileBytes)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (done < total && now - FLastDraw < std::chrono::milliseconds(100))
            return;
        FLastDraw = now;
        Show(QStringLiteral("%1  %2 / %3 MiB")
                 .arg(FCurrent, QString::number(done >> 20), QString::number(total >> 20)));
    };
}

void TTagConsole::EndProgress()
{
    if (!FLineShown)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    FLineShown = false;
}

void TTagConsole::Show(const QString &line)
{
    std::fputs("\r\033[K", stderr);
    std::fputs(line.toUtf8().constData(), stderr);
    std::fflush(stderr);
    FLineShown = true;
}
