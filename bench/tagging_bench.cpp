// Times the window's WAV and JPG tagging on a large recording and a camera-sized picture:
// open, "Tag && Save" onto the opened file (twice: the first adds the chunk, the second
// replaces it), "Tag && SaveAs" to a new file, against a plain copy with cp. Also counts
// how often the status bar showed progress during the saves. Usage:
//   tagging_bench [MiB of audio, default 1024] [folder, default a temporary one]
#include "app/IUserDialogs.h"
#include "app/TfrmOrvane.h"
#include "editor/TStationPage.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>

#include <cstdio>
#include <functional>
#include <memory>

#include <unistd.h>

namespace
{

// Answers the open dialog with one file, the save dialog with another, and every
// message box with No (keep the current document).
class TBenchDialogs : public IUserDialogs
{
public:
    QString Open;
    QString Save;
    TModalResult MessageDlg(const QString &text, TMsgDlgButtons buttons, TMsgDlgType) override
    {
        if (buttons == TMsgDlgButtons::OK)
            std::fprintf(stderr, "tagging_bench: message: %s\n", qPrintable(text));
        return TModalResult::No;
    }
    QString OpenFileName(const TFileDialogSpec &) override { return Open; }
    QString SaveFileName(const TFileDialogSpec &) override { return Save; }
    bool PrintDialog() override { return false; }
};

double Time(const std::function<void()> &step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return timer.nsecsElapsed() / 1e6;
}

void WriteRecording(const QString &path, qint64 dataBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    const auto le32 = [](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        return QByteArray(b, 4);
    };
    const QByteArray fmt = QByteArray::fromHex("0100020044ac000010b1020004001000");
    file.write("RIFF" + le32(static_cast<quint32>(4 + 8 + 16 + 8 + dataBytes)) + "WAVEfmt " +
               le32(16) + fmt + "data" + le32(static_cast<quint32>(dataBytes)));
    const QByteArray block(1 << 20, '\x11');
    for (qint64 done = 0; done < dataBytes; done += block.size())
        file.write(block.constData(), qMin<qint64>(block.size(), dataBytes - done));
    // A station's recording has long been written out to disk when it is tagged: flush this
    // one too, or the first in-place save's flush would pay for writing the whole audio.
    file.flush();
    if (::fsync(file.handle()) != 0)
        qFatal("cannot flush %s", qPrintable(path));
    file.close();
}

QByteArray CameraPicture()
{
    QImage image(4000, 3000, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < image.width() * 3; ++x)
            line[x] = static_cast<uchar>((x * 7 + y * 13) ^ (x * y));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qint64 mib = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1024;
    QTemporaryDir scratch(
        argc > 2 ? QString::fromLocal8Bit(argv[2]) + QStringLiteral("/bench-XXXXXX") : QString());
    const auto path = [&scratch](const char *name) {
        return scratch.filePath(QString::fromLatin1(name));
    };

    auto owned = std::make_unique<TBenchDialogs>();
    TBenchDialogs &dialogs = *owned;
    TfrmOrvane window(std::move(owned), path("Orvane.conf"));
    TStationPage &page = *window.StationPage;
    // Timers run while a save lets the window repaint: sampling the status panel from one
    // shows what the user sees during the save.
    QStringList seen;
    QTimer sampler;
    sampler.setInterval(20);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        const QString text = window.StatusPanel(5);
        if (text.startsWith(QLatin1String("Saving")) && (seen.isEmpty() || seen.last() != text))
            seen << text;
    });
    sampler.start();
    const auto sampled = [&seen] {
        const QString shown = seen.isEmpty() ? QStringLiteral("none")
                                             : QStringLiteral("%1 texts, %2 .. %3")
                                                   .arg(seen.size())
                                                   .arg(seen.first(), seen.last());
        seen.clear();
        return shown;
    };

    const QString wav = path("recording.wav");
    const QString wavCopy = path("recording-copy.wav");
    const QString wavTagged = path("recording-tagged.wav");
    std::printf("recording: %lld MiB of audio\n", static_cast<long long>(mib));
    WriteRecording(wav, mib << 20);
    dialogs.Open = wav;
    dialogs.Save = wavTagged;
    std::printf("%-40s %10.1f ms\n", "open (headers only)",
                Time([&] { page.btnWaveFileOpen->click(); }));
    std::printf("%-40s %10.1f ms\n", "Tag && Save in place (adds the chunk)",
                Time([&] { page.btnSaveWAV->click(); }));
    std::printf("%-40s %10.1f ms\n", "Tag && Save in place (replaces it)",
                Time([&] { page.btnSaveWAV->click(); }));
    std::printf("%-40s %10.1f ms\n", "Tag && SaveAs to a new file",
                Time([&] { page.btnSaveAsWAV->click(); }));
    std::printf("  progress seen while it ran: %s\n", qPrintable(sampled()));
    std::printf("%-40s %10.1f ms\n", "cp to a new file + sync", Time([&] {
                    QProcess::execute(
                        QStringLiteral("sh"),
                        {QStringLiteral("-c"),
                         QStringLiteral("cp '%1' '%2' && sync '%2'").arg(wav, wavCopy)});
                }));
    std::printf("status after the saves: %s\n", qPrintable(window.StatusPanel(5)));
    QFile::remove(wavCopy);
    QFile::remove(wavTagged);
    QFile::remove(wav);

    const QString jpg = path("picture.jpg");
    {
        QFile file(jpg);
        file.open(QIODevice::WriteOnly);
        file.write(CameraPicture());
    }
    std::printf("picture: 4000 x 3000, %lld KiB\n",
                static_cast<long long>(QFileInfo(jpg).size() >> 10));
    dialogs.Open = jpg;
    dialogs.Save = path("picture-tagged.jpg");
    std::printf("%-40s %10.1f ms\n", "open (read, preview, find document)",
                Time([&] { page.btnJPGFileOpen->click(); }));
    std::printf("%-40s %10.1f ms\n", "Tag && SaveAs to a new file",
                Time([&] { page.btnSaveAsJPG->click(); }));
    page.btnJPGFileOpen->click();
    std::printf("%-40s %10.1f ms\n", "Tag && Save onto the opened file",
                Time([&] { page.btnSaveJPG->click(); }));
    return 0;
}
