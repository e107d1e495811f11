// Times the RIFF container on one recording; the figures are printed, never checked.
//   riff_bench make FILE MIB    write a WAV with MIB mebibytes of audio and an old tag
//   riff_bench load FILE        load the chunk list
//   riff_bench save FILE OUT    load, replace the tag, save to OUT
//   riff_bench inplace FILE     load, replace the tag, save onto FILE
#include "Riff/TRiffRW.h"

#include <QFile>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

namespace
{

void Append(QFile &f, const QByteArray &bytes)
{
    if (f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write the recording");
}

QByteArray LE32(quint32 v)
{
    return QByteArray(reinterpret_cast<const char *>(&v), 4);
}

void Make(const QString &path, qint64 mib)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot create the recording");
    const qint64 audio = mib << 20;
    const QByteArray fmt = QByteArray::fromHex("0100020044ac000010b1020004001000");
    const QByteArray tag = "<KOVA_Station>old tag</KOVA_Station>";
    const qint64 body = 4 + 8 + fmt.size() + 8 + audio + 8 + tag.size();
    Append(f, "RIFF" + LE32(quint32(body)) + "WAVE" + "fmt " + LE32(fmt.size()) + fmt + "data" +
                  LE32(quint32(audio)));
    QByteArray block(4 << 20, '\0');
    for (int i = 0; i < block.size(); ++i)
        block[i] = char(i * 7 + i / 4096);
    for (qint64 done = 0; done < audio; done += block.size())
        Append(f, block.left(int(std::min<qint64>(block.size(), audio - done))));
    Append(f, "SML " + LE32(tag.size()) + tag);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: riff_bench make|load|save|inplace FILE [OUT|MIB]\n");
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[2]);
    const char *mode = argv[1];
    const auto start = std::chrono::steady_clock::now();
    try {
        if (!std::strcmp(mode, "make")) {
            Make(file, argc > 3 ? std::atoll(argv[3]) : 1024);
        } else {
            const IRiffRW riff = CreateRiffRW();
            riff->LoadFromFile(file);
            if (std::strcmp(mode, "load") != 0) {
                riff->ReplaceChunk("SML ",
                                   "<KOVA_Station>a new tag for the recording</KOVA_Station>");
                riff->SaveToFile(!std::strcmp(mode, "save") && argc > 3
                                     ? QString::fromLocal8Bit(argv[3])
                                     : file);
            }
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "riff_bench: %s\n", e.what());
        return 1;
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-8s %10.1f ms\n", mode, ms);
    return 0;
}
