// Fuzzes loading a RIFF file and what a tag save then does with it: every chunk
// that loads lies inside the file, a save to a new file gives back every chunk
// byte for byte, and a tag saved onto the file itself leaves the other chunks as
// they were with the tag last.
#include "Riff/ERiffError.h"
#include "Riff/TRiffRW.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace
{

// A scratch folder in memory (tmpfs when there is one), made once per process and
// removed when it ends.
struct TScratch {
    QString Folder;
    TScratch()
    {
        QByteArray pattern =
            (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + QByteArray("/riff-fuzz-XXXXXX");
        if (!mkdtemp(pattern.data()))
            std::abort();
        Folder = QString::fromLocal8Bit(pattern);
    }
    ~TScratch() { QDir(Folder).removeRecursively(); }
};

const QString &Scratch()
{
    static const TScratch scratch;
    return scratch.Folder;
}

void WriteWhole(const QString &path, const std::uint8_t *data, std::size_t size)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
}

using TChunks = std::vector<std::pair<QByteArray, QByteArray>>;

TChunks Chunks(TRiffRW &riff, bool skipFiller)
{
    TChunks out;
    for (int i = 0; i < riff.GetChunkCount(); ++i) {
        const TFourCC id = riff.GetChunkName(i);
        if (!(skipFiller && id == TFourCC("JUNK")))
            out.emplace_back(QByteArray(id.Data(), 4), riff.ReadChunk(i));
    }
    return out;
}

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString in = Scratch() + "/in.wav";
    const QString out = Scratch() + "/out.wav";
    WriteWhole(in, data, size);

    const IRiffRW riff = CreateRiffRW();
    try {
        riff->LoadFromFile(in);
    } catch (const ERiffError &) {
        // Refused; the chunks read before the refusal must still lie inside the file.
        for (int i = 0; i < riff->GetChunkCount(); ++i)
            Check(riff->ChunkOffset(i) + 8 + riff->ChunkSize(i) <= qint64(size));
        return 0;
    }
    for (int i = 0; i < riff->GetChunkCount(); ++i)
        Check(riff->ChunkOffset(i) + 8 + riff->ChunkSize(i) <= qint64(size));
    const TChunks loaded = Chunks(*riff, false);

    // To a new file and back: the same chunks, a plain file with a true header.
    riff->SaveToFile(out);
    const IRiffRW back = CreateRiffRW();
    back->LoadFromFile(out);
    Check(Chunks(*back, false) == loaded);
    for (const TRiffNotice &n : back->Notices())
        Check(n.Kind == TRiffNotice::TKind::RepeatedId);

    // A tag onto the file itself: the other chunks stay, the tag comes last.
    static const QByteArray tag = "<KOVA_Station>fuzz</KOVA_Station>";
    riff->ReplaceChunk("SML ", tag);
    riff->SaveToFile(in);
    const IRiffRW tagged = CreateRiffRW();
    tagged->LoadFromFile(in);
    TChunks expected;
    for (const auto &chunk : loaded)
        if (chunk.first != "SML " && chunk.first != "JUNK")
            expected.push_back(chunk);
    expected.emplace_back("SML ", tag);
    Check(Chunks(*tagged, true) == expected);
    Check(Chunks(*tagged, false) == Chunks(*riff, false));
    return 0;
}
