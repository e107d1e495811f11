#include "Riff/TRiffRW.h"

#include "Riff/ERiffError.h"
#include "Riff/TFileHandle.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

// Saving onto the source file
// ---------------------------
// "Tag && Save" changes only chunks after the audio. The chunks in front that are
// unchanged and still at their places (the kept prefix) are never written again;
// the rest of the file (the retired tail) is replaced in one of two ways, each a
// sequence of writes after which a crash leaves a file whose prefix is intact and
// that loads with either the old or the new tail (a loader that ignores the
// header size, like ours, finds the old tag first in the first way and the new
// one first in the second). Each step is flushed to disk before the next, and
// the file also loads when a step stops between two of its writes: bytes are only
// written where a "JUNK" header covers them, and each chunk header is one 8-byte
// write.
//
// Append (the usual way):
//   1. grow the file with zeros, a multiple of 8 bytes, which read as empty chunks;
//   2. write one "JUNK" header over the grown region;
//   3. write the new tail chunks into that region, all but the first chunk's
//      header, and a "JUNK" header over what they leave of the region;
//   4. link them: write the first chunk's header over the region's "JUNK" header;
//   5. rewrite the 12-byte header with the new size (standard readers now see the
//      prefix, the old tail and the new tail);
//   6. cut off what the tail left of the region;
//   7. overwrite the 8-byte header of the first retired chunk with a "JUNK" header
//      that covers the whole old tail: the new tail is now the only one.
// A failure in steps 1 to 6 truncates the file back to its old length.
//
// Into filler: when the retired tail begins with "JUNK" filler (left by an earlier
// save) large enough for the new tail, the new tail goes there and the file shrinks:
//   1. write the new tail's bytes inside the filler, leaving its 8-byte header in
//      place and closing the rest of it with a "JUNK" header of its own;
//   2. overwrite the filler's header with the first new chunk's header;
//   3. rewrite the 12-byte header with the new size;
//   4. truncate the file after the new tail.
// Saves thus alternate between the two ways, so filler never piles up: there is
// at most one "JUNK" chunk left and the file stays within one old tail of its size.
//
// When the kept prefix is smaller than what would have to be written, or the source
// changed since the load, the whole file is written anew (temporary file, rename).

namespace
{

constexpr qint64 HeaderSize = 12;
constexpr qint64 ChunkHeaderSize = 8;
constexpr qint64 MaxField = 0xFFFFFFFFLL;
constexpr TFourCC RiffId("RIFF");
constexpr TFourCC JunkId("JUNK");

quint32 ReadLE32(const char *p)
{
    return quint32(quint8(p[0])) | quint32(quint8(p[1])) << 8 | quint32(quint8(p[2])) << 16 |
           quint32(quint8(p[3])) << 24;
}

void WriteLE32(char *p, qint64 value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char((value >> (8 * i)) & 0xFF);
}

qint64 Padded(qint64 size)
{
    return size + (size & 1);
}

// The 8 bytes of a chunk header (or, with the form type, the 12 of the file header).
QByteArray HeaderBytes(const TFourCC &id, qint64 size)
{
    QByteArray bytes(int(ChunkHeaderSize), '\0');
    std::memcpy(bytes.data(), id.Data(), 4);
    WriteLE32(bytes.data() + 4, size);
    return bytes;
}

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString Quoted(const TFourCC &id)
{
    return QStringLiteral("\"%1\"").arg(id.Display());
}

// The target's permission bits, or the ones a new file would get.
mode_t ModeFor(const QByteArray &path)
{
    struct stat st {
    };
    if (::stat(path.constData(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A file in the target's folder that replaces the target when committed and is
// removed otherwise.
class TTempFile
{
public:
    explicit TTempFile(const QString &target)
        : FTarget(QFile::encodeName(target)),
          FFolder(QFile::encodeName(QFileInfo(target).absolutePath()))
    {
        QByteArray pattern =
            FFolder + "/." + QFile::encodeName(QFileInfo(target).fileName()) + ".XXXXXX";
        const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (fd < 0)
            throw ERiffError(
                QStringLiteral("Cannot create file \"%1\". %2").arg(target, SystemReason(errno)));
        FPath = pattern;
        File = TFileHandle(fd);
    }
    ~TTempFile()
    {
        if (!FCommitted)
            ::unlink(FPath.constData());
    }
    TTempFile(const TTempFile &) = delete;
    TTempFile &operator=(const TTempFile &) = delete;

    // Flushes the file and renames it over the target, then flushes the folder.
    void Commit(const QString &target)
    {
        if (::fchmod(File.Fd(), ModeFor(FTarget)) != 0 || !File.Sync())
            throw ERiffError(
                QStringLiteral("Cannot write file \"%1\". %2").arg(target, SystemReason(errno)));
        if (::rename(FPath.constData(), FTarget.constData()) != 0)
            throw ERiffError(
                QStringLiteral("Cannot create file \"%1\". %2").arg(target, SystemReason(errno)));
        FCommitted = true;
        const int folder = ::open(FFolder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
    }

    TFileHandle File;

private:
    QByteArray FTarget, FFolder, FPath;
    bool FCommitted = false;
};

} // namespace

struct TRiffRW::TChunkInfo {
    TFourCC ChunkID;
    qint64 Offset = -1; // header offset in the source file; -1 when not from there
    qint64 Size = 0;    // data length in the source file
    bool PadOnDisk = false;
    bool Held = false; // Data holds the chunk's bytes (read or written by a caller)
    QByteArray Data;

    qint64 Length() const { return Held ? qint64(Data.size()) : Size; }
};

struct TRiffRW::TSource {
    QString Name;
    TFileHandle File;
    qint64 Length = 0;
    struct timespec Modified {
    };
    std::vector<qint64> Order; // header offsets of the file's chunks, in file order
    // Where a chunk after the last one would start: the file length, plus one when
    // the last chunk has odd length and the file ends without its pad byte.
    qint64 PaddedEnd = HeaderSize;
};

// One chunk as a save writes it.
struct TRiffRW::TSaveItem {
    TChunkInfo *Chunk;
    qint64 Length;
};

TRiffRW::TRiffRW() = default;

TRiffRW::~TRiffRW()
{
    Clear();
}

IRiffRW CreateRiffRW()
{
    return std::make_shared<TRiffRW>();
}

TFourCC TRiffRW::GetFourCC() const
{
    return FFourCC;
}

void TRiffRW::SetFourCC(const TFourCC &value)
{
    FFourCC = value;
}

int TRiffRW::GetChunkCount() const
{
    return int(FChunks.size());
}

TRiffRW::TChunkInfo &TRiffRW::At(int Index) const
{
    RIFF_CHECK(Index >= 0 && Index < GetChunkCount(), "Index out of range");
    return *FChunks[size_t(Index)];
}

QByteArray &TRiffRW::GetChunk(int Index)
{
    TChunkInfo &chunk = At(Index);
    if (!chunk.Held) {
        chunk.Data = ReadSource(chunk);
        chunk.Held = true;
    }
    return chunk.Data;
}

TFourCC TRiffRW::GetChunkName(int Index) const
{
    return At(Index).ChunkID;
}

void TRiffRW::Clear()
{
    FChunks.clear();
    FSource.reset();
    FNotices.clear();
}

int TRiffRW::IndexOf(const TFourCC &ChunkFourCC) const
{
    for (size_t i = 0; i < FChunks.size(); ++i)
        if (FChunks[i]->ChunkID == ChunkFourCC)
            return int(i);
    return -1;
}

QByteArray &TRiffRW::AddChunk(const TFourCC &ChunkFourCC)
{
    RIFF_CHECK(IndexOf(ChunkFourCC) < 0, "Chunk already exists");
    auto chunk = std::make_unique<TChunkInfo>();
    chunk->ChunkID = ChunkFourCC;
    chunk->Held = true;
    FChunks.push_back(std::move(chunk));
    return FChunks.back()->Data;
}

void TRiffRW::DeleteChunk(int Index)
{
    At(Index);
    FChunks.erase(FChunks.begin() + Index);
}

void TRiffRW::DeleteChunk(const TFourCC &ChunkFourCC)
{
    const int index = IndexOf(ChunkFourCC);
    if (index >= 0)
        DeleteChunk(index);
}

qint64 TRiffRW::ChunkSize(int Index) const
{
    return At(Index).Length();
}

qint64 TRiffRW::ChunkOffset(int Index) const
{
    return At(Index).Offset;
}

QByteArray TRiffRW::ReadChunk(int Index) const
{
    const TChunkInfo &chunk = At(Index);
    return chunk.Held ? chunk.Data : ReadSource(chunk);
}

void TRiffRW::ReplaceChunk(const TFourCC &ChunkFourCC, const QByteArray &data)
{
    while (IndexOf(ChunkFourCC) >= 0)
        DeleteChunk(ChunkFourCC);
    AddChunk(ChunkFourCC) = data;
}

const std::vector<TRiffNotice> &TRiffRW::Notices() const
{
    return FNotices;
}

QString TRiffRW::SourceFileName() const
{
    return FSource ? FSource->Name : QString();
}

void TRiffRW::SetProgress(TProgress progress)
{
    FProgress = std::move(progress);
}

void TRiffRW::SetStepHook(TStepHook hook)
{
    FStepHook = std::move(hook);
}

void TRiffRW::Step(const char *name) const
{
    if (FStepHook)
        FStepHook(name);
}

void TRiffRW::CheckSourceUnchanged() const
{
    const struct stat st = FSource->File.Stat();
    if (st.st_size != FSource->Length || st.st_mtim.tv_sec != FSource->Modified.tv_sec ||
        st.st_mtim.tv_nsec != FSource->Modified.tv_nsec)
        throw ERiffError(
            QStringLiteral("File \"%1\" changed since it was loaded").arg(FSource->Name));
}

QByteArray TRiffRW::ReadSource(const TChunkInfo &chunk) const
{
    if (chunk.Offset < 0 || !FSource)
        return QByteArray();
    CheckSourceUnchanged();
    QByteArray bytes(chunk.Size, Qt::Uninitialized);
    if (FSource->File.ReadAt(chunk.Offset + ChunkHeaderSize, bytes.data(), chunk.Size) !=
        chunk.Size)
        throw ERiffError(
            QStringLiteral("File \"%1\" changed since it was loaded").arg(FSource->Name));
    return bytes;
}

// Whether the chunk's bytes are still those at its place in the source file.
bool TRiffRW::SameAsSource(const TChunkInfo &chunk) const
{
    if (chunk.Offset < 0)
        return false;
    if (!chunk.Held)
        return true;
    if (chunk.Data.size() != chunk.Size)
        return false;
    constexpr qint64 Block = qint64(1) << 20;
    QByteArray buffer(int(std::min(Block, std::max<qint64>(chunk.Size, 1))), Qt::Uninitialized);
    for (qint64 done = 0; done < chunk.Size; done += Block) {
        const qint64 n = std::min(Block, chunk.Size - done);
        if (FSource->File.ReadAt(chunk.Offset + ChunkHeaderSize + done, buffer.data(), n) != n ||
            std::memcmp(buffer.constData(), chunk.Data.constData() + done, size_t(n)) != 0)
            return false;
    }
    return true;
}

void TRiffRW::LoadFromFile(const QString &Filename)
{
    Clear();
    TFileHandle file = TFileHandle::Open(Filename);
    const struct stat st = file.Stat();
    const qint64 length = st.st_size;

    char header[HeaderSize];
    RIFF_CHECK(file.ReadAt(0, header, 8) == 8, "Can't read riff header");
    RIFF_CHECK(file.ReadAt(8, header + 8, 4) == 4, "Can't read riff type");
    FFourCC = TFourCC::FromBytes(header + 8);

    auto source = std::make_unique<TSource>();
    source->Name = Filename;
    source->File = std::move(file);
    source->Length = length;
    source->Modified = st.st_mtim;
    FSource = std::move(source);
    const TFileHandle &in = FSource->File;

    const TFourCC headerId = TFourCC::FromBytes(header);
    if (headerId != RiffId)
        FNotices.push_back({TRiffNotice::TKind::HeaderId, headerId, 0, 0,
                            QStringLiteral("Header id is %1, not \"RIFF\"").arg(Quoted(headerId))});
    const qint64 declared = ReadLE32(header + 4);
    if (declared != length - 8)
        FNotices.push_back(
            {TRiffNotice::TKind::HeaderSize, headerId, 0, declared,
             QStringLiteral("Header size %1 disagrees with the %2 bytes that follow it")
                 .arg(declared)
                 .arg(length - 8)});

    std::unordered_set<quint32> seen;
    qint64 position = HeaderSize;
    while (position < length) {
        char head[ChunkHeaderSize];
        const qint64 got = in.ReadAt(position, head, ChunkHeaderSize);
        RIFF_CHECK(got >= 4, "Can't read chunk type");
        RIFF_CHECK(got >= 8, "Can't read chunk size");
        const TFourCC id = TFourCC::FromBytes(head);
        const qint64 size = ReadLE32(head + 4);
        const qint64 dataEnd = position + ChunkHeaderSize + size;
        if (dataEnd > length) {
            const QString text =
                QStringLiteral("Chunk %1 at offset %2 declares %3 bytes, but only %4 remain in "
                               "the file")
                    .arg(Quoted(id), QString::number(position), QString::number(size),
                         QString::number(length - position - ChunkHeaderSize));
            FNotices.push_back({TRiffNotice::TKind::PastEnd, id, position, size, text});
            throw ERiffError::Check(text, __FILE__, __LINE__);
        }
        if (Padded(dataEnd) - 8 > MaxField) {
            const QString text =
                QStringLiteral("Chunk %1 at offset %2 ends beyond the 4 GiB a RIFF file can "
                               "describe")
                    .arg(Quoted(id), QString::number(position));
            FNotices.push_back({TRiffNotice::TKind::TooLarge, id, position, size, text});
            throw ERiffError::Check(text, __FILE__, __LINE__);
        }
        if (!seen.insert(ReadLE32(head)).second)
            FNotices.push_back({TRiffNotice::TKind::RepeatedId, id, position, size,
                                QStringLiteral("Chunk %1 at offset %2 repeats an id seen before")
                                    .arg(Quoted(id), QString::number(position))});

        auto chunk = std::make_unique<TChunkInfo>();
        chunk->ChunkID = id;
        chunk->Offset = position;
        chunk->Size = size;
        position = dataEnd;
        // An odd chunk is followed by a zero pad byte; files written without one
        // still load: a non-zero byte there already belongs to the next chunk.
        if (size & 1) {
            char pad = 1;
            if (dataEnd < length && in.ReadAt(dataEnd, &pad, 1) == 1 && pad == 0) {
                chunk->PadOnDisk = true;
                ++position;
            } else {
                FNotices.push_back(
                    {TRiffNotice::TKind::MissingPad, id, chunk->Offset, size,
                     QStringLiteral("Chunk %1 at offset %2 has odd length %3 and no pad byte")
                         .arg(Quoted(id), QString::number(chunk->Offset), QString::number(size))});
            }
        }
        FSource->Order.push_back(chunk->Offset);
        FSource->PaddedEnd = (size & 1) && !chunk->PadOnDisk ? dataEnd + 1 : position;
        FChunks.push_back(std::move(chunk));
    }
}

// The chunks as a save writes them; refuses sizes the 32-bit fields cannot hold.
std::vector<TRiffRW::TSaveItem> TRiffRW::Layout() const
{
    std::vector<TSaveItem> items;
    qint64 total = HeaderSize;
    for (const auto &chunk : FChunks) {
        const qint64 length = chunk->Length();
        RIFF_CHECK(length <= MaxField, QStringLiteral("Chunk %1 is too large for a RIFF file "
                                                      "(%2 bytes)")
                                           .arg(Quoted(chunk->ChunkID), QString::number(length)));
        items.push_back({chunk.get(), length});
        total += ChunkHeaderSize + Padded(length);
    }
    RIFF_CHECK(total - 8 <= MaxField,
               QStringLiteral("The file would be too large for RIFF (%1 bytes)").arg(total));
    return items;
}

void TRiffRW::SaveToFile(const QString &Filename)
{
    // Write through a symbolic link rather than replacing it.
    const QFileInfo info(Filename);
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : Filename;

    bool ontoSource = false;
    if (FSource) {
        struct stat st {
        };
        const struct stat own = FSource->File.Stat();
        ontoSource = ::stat(QFile::encodeName(target).constData(), &st) == 0 &&
                     st.st_dev == own.st_dev && st.st_ino == own.st_ino;
    }
    if (ontoSource && SaveInPlace(target))
        return;
    SaveNewFile(target, ontoSource);
}

void TRiffRW::SaveNewFile(const QString &Filename, bool ontoSource)
{
    const std::vector<TSaveItem> items = Layout();
    qint64 total = HeaderSize;
    bool fromSource = false;
    for (const TSaveItem &item : items) {
        total += ChunkHeaderSize + Padded(item.Length);
        fromSource = fromSource || !item.Chunk->Held;
    }
    if (fromSource)
        CheckSourceUnchanged();
    // A read-only target is the user's protection, not something to rename over.
    const QByteArray path = QFile::encodeName(Filename);
    if (::access(path.constData(), F_OK) == 0 && ::access(path.constData(), W_OK) != 0)
        throw ERiffError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(Filename, SystemReason(errno)));

    TTempFile temp(Filename);
    TFileHandle &out = temp.File;
    QByteArray header = HeaderBytes(RiffId, total - 8);
    RIFF_CHECK(out.WriteAt(0, header.constData(), 8) == 8, "Can't write riff header");
    RIFF_CHECK(out.WriteAt(8, FFourCC.Data(), 4) == 4, "Can't write riff type");

    std::vector<qint64> offsets;
    qint64 position = HeaderSize;
    const auto report = [&](qint64 done) {
        if (FProgress)
            FProgress(done, total);
    };
    for (const TSaveItem &item : items) {
        offsets.push_back(position);
        header = HeaderBytes(item.Chunk->ChunkID, item.Length);
        RIFF_CHECK(out.WriteAt(position, header.constData(), 4) == 4, "Can't write chunk type");
        RIFF_CHECK(out.WriteAt(position + 4, header.constData() + 4, 4) == 4,
                   "Can't write chunk size");
        position += ChunkHeaderSize;
        const qint64 written =
            item.Chunk->Held
                ? out.WriteAt(position, item.Chunk->Data.constData(), item.Length)
                : out.CopyFrom(FSource->File, item.Chunk->Offset + ChunkHeaderSize, position,
                               item.Length, [&](qint64 done) { report(position + done); });
        RIFF_CHECK(written == item.Length, "Can't write chunk data");
        position += item.Length;
        if (item.Length & 1) {
            RIFF_CHECK(out.WriteAt(position, "", 1) == 1, "Can't write chunk data");
            ++position;
        }
        report(position);
    }
    // Bytes copied from a source that changed meanwhile would make a mixed file.
    if (fromSource)
        CheckSourceUnchanged();
    Step("temporary file written");
    temp.Commit(Filename);
    Step("renamed");

    if (!ontoSource)
        return;
    // The container now describes the new file; its old inode goes with the old handle.
    auto source = std::make_unique<TSource>();
    source->Name = FSource->Name;
    source->File = std::move(temp.File);
    const struct stat st = source->File.Stat();
    source->Length = st.st_size;
    source->Modified = st.st_mtim;
    source->Order = offsets;
    source->PaddedEnd = total;
    for (size_t i = 0; i < items.size(); ++i) {
        items[i].Chunk->Offset = offsets[i];
        items[i].Chunk->Size = items[i].Length;
        items[i].Chunk->PadOnDisk = items[i].Length & 1;
    }
    FSource = std::move(source);
}

bool TRiffRW::SaveInPlace(const QString &Filename)
{
    CheckSourceUnchanged();
    Layout(); // size checks only
    TSource &source = *FSource;
    const qint64 length = source.Length;

    // The kept prefix: chunks still first in the file, unchanged, properly padded
    // (the file's last chunk may lack its pad: it is added at the end).
    size_t kept = 0;
    while (kept < FChunks.size() && kept < source.Order.size()) {
        const TChunkInfo &chunk = *FChunks[kept];
        const bool lastInFile = kept + 1 == source.Order.size();
        if (chunk.Offset != source.Order[kept] || !SameAsSource(chunk) ||
            ((chunk.Size & 1) && !chunk.PadOnDisk && !lastInFile))
            break;
        ++kept;
    }
    // Filler at the end of the prefix is retired with the tail.
    size_t live = kept;
    while (kept > 0 && FChunks[kept - 1]->ChunkID == JunkId)
        --kept;

    const auto endOf = [](const TChunkInfo &c) {
        return c.Offset + ChunkHeaderSize + Padded(c.Size);
    };
    const qint64 start = kept == 0 ? HeaderSize : endOf(*FChunks[kept - 1]);
    // The first filler chunk: the room a new tail may take without touching another header.
    const qint64 freeEnd = kept == live                     ? start
                           : kept + 1 < source.Order.size() ? source.Order[kept + 1]
                                                            : length;
    std::vector<TChunkInfo *> tail;
    qint64 tailBytes = 0;
    for (size_t i = live; i < FChunks.size(); ++i) {
        tail.push_back(FChunks[i].get());
        tailBytes += ChunkHeaderSize + Padded(FChunks[i]->Length());
    }
    if (std::max(length, start) - start + tailBytes > start)
        return false; // rewriting the file is cheaper than keeping its front
    const qint64 room = freeEnd - start;
    const bool intoFiller =
        !tail.empty() && room > 0 &&
        (tailBytes == room || (tailBytes + ChunkHeaderSize <= room && (room - tailBytes) % 2 == 0));
    // An appended tail grows the file by a whole number of 8-byte units (see below).
    qint64 region = tailBytes;
    while (region % 8 != 0 || (region > tailBytes && region - tailBytes < ChunkHeaderSize))
        region += 2;
    if (!tail.empty() && !intoFiller) {
        // The old tail is retired as one filler in front of the appended one: that needs
        // an even length (an old tail with an unpadded odd chunk inside is rewritten).
        if ((source.PaddedEnd - start) % 2 != 0)
            return false;
        // Old and new tail side by side must still fit the 32-bit size fields; the
        // rewritten file, without the old tail, may.
        if (source.PaddedEnd + region - 8 > MaxField)
            return false;
    }

    TFileHandle file = TFileHandle::Open(Filename, true);
    const struct stat opened = file.Stat();
    const struct stat own = source.File.Stat();
    if (opened.st_dev != own.st_dev || opened.st_ino != own.st_ino)
        return false;

    QByteArray oldHeader(int(HeaderSize), '\0');
    if (source.File.ReadAt(0, oldHeader.data(), HeaderSize) != HeaderSize)
        return false;
    // Every write below is reported to the step hook, so that a test can stop the
    // save between any two of them.
    const auto put = [&](qint64 at, const QByteArray &bytes, const char *text) {
        RIFF_CHECK(file.WriteAt(at, bytes.constData(), bytes.size()) == bytes.size(), text);
        Step("write");
    };
    const auto cut = [&](qint64 size) {
        if (!file.Truncate(size))
            throw ERiffError(QStringLiteral("Cannot write file \"%1\". %2")
                                 .arg(source.Name, SystemReason(errno)));
        Step("write");
    };
    QByteArray header = HeaderBytes(RiffId, 0);
    header.append(FFourCC.Data(), 4);
    const auto writeHeader = [&](qint64 end) {
        WriteLE32(header.data() + 4, end - 8);
        put(0, header, "Can't write riff header");
    };
    const auto sync = [&](const char *step) {
        if (!file.Sync())
            throw ERiffError(QStringLiteral("Cannot write file \"%1\". %2")
                                 .arg(source.Name, SystemReason(errno)));
        Step(step);
    };
    // Writes the tail chunks from `at` on, each header in one write; the first
    // chunk's header is left out when skipFirstHeader. Returns the offsets of their
    // headers.
    const auto writeTail = [&](qint64 at, bool skipFirstHeader) {
        std::vector<qint64> offsets;
        qint64 done = 0;
        for (TChunkInfo *chunk : tail) {
            offsets.push_back(at);
            const qint64 size = chunk->Length();
            if (!(skipFirstHeader && offsets.size() == 1))
                put(at, HeaderBytes(chunk->ChunkID, size), "Can't write chunk type");
            at += ChunkHeaderSize;
            const qint64 written = chunk->Held
                                       ? file.WriteAt(at, chunk->Data.constData(), size)
                                       : file.CopyFrom(source.File, chunk->Offset + ChunkHeaderSize,
                                                       at, size, [&](qint64 n) {
                                                           if (FProgress)
                                                               FProgress(done + n, tailBytes);
                                                       });
            RIFF_CHECK(written == size, "Can't write chunk data");
            Step("write");
            at += size;
            if (size & 1) {
                put(at, QByteArray(1, '\0'), "Can't write chunk data");
                ++at;
            }
            done += ChunkHeaderSize + Padded(size);
            if (FProgress)
                FProgress(done, tailBytes);
        }
        return offsets;
    };

    std::vector<qint64> offsets;
    std::optional<qint64> fillerAt; // a "JUNK" chunk left in the file, by header offset
    qint64 end;
    if (intoFiller) {
        // Into the filler at `start`, whose header stays until the new tail is complete.
        offsets = writeTail(start, true);
        end = start + tailBytes;
        if (end < freeEnd)
            put(end, HeaderBytes(JunkId, freeEnd - end - ChunkHeaderSize),
                "Can't write chunk type");
        sync("tail written into filler");
        put(start, HeaderBytes(tail.front()->ChunkID, tail.front()->Length()),
            "Can't write chunk type");
        sync("tail linked");
        writeHeader(end);
        sync("header written");
        cut(end);
        sync("truncated");
    } else if (tail.empty()) {
        // Only chunks removed from the end (or nothing at all).
        end = start;
        if (length < end)
            put(length, QByteArray(1, '\0'), "Can't write chunk data");
        writeHeader(end);
        sync("header written");
        if (length > end) {
            cut(end);
            sync("truncated");
        }
    } else {
        // Append after the end, inside a "JUNK" chunk that covers the new bytes until
        // the tail is complete. The file first grows by zeros that read as empty
        // chunks: whole ones, so the region is a multiple of 8 bytes; what the tail
        // leaves of it (none, or 8 bytes or more) is filler that is cut off at the end.
        const qint64 from = source.PaddedEnd;
        end = from + tailBytes;
        try {
            cut(from + region);
            sync("file extended");
            put(from, HeaderBytes(JunkId, region - ChunkHeaderSize), "Can't write chunk type");
            sync("filler written");
            offsets = writeTail(from, true);
            if (region > tailBytes)
                put(end, HeaderBytes(JunkId, region - tailBytes - ChunkHeaderSize),
                    "Can't write chunk type");
            sync("tail appended");
            put(from, HeaderBytes(tail.front()->ChunkID, tail.front()->Length()),
                "Can't write chunk type");
            sync("tail linked");
            writeHeader(end);
            sync("header written");
            if (region > tailBytes) {
                cut(end);
                sync("truncated");
            }
        } catch (...) {
            // Leave the file as it was: old header, old length. The error goes on.
            file.WriteAt(0, oldHeader.constData(), HeaderSize);
            file.Truncate(length);
            file.Sync();
            // The bytes are the loaded ones again; only the time stamp moved.
            struct stat st {
            };
            if (::fstat(file.Fd(), &st) == 0 && st.st_size == length)
                source.Modified = st.st_mtim;
            throw;
        }
        if (from > start) {
            put(start, HeaderBytes(JunkId, from - start - ChunkHeaderSize),
                "Can't write chunk type");
            sync("old tail retired");
            fillerAt = start;
        }
    }
    // The chunk list now matches the file.
    std::vector<std::unique_ptr<TChunkInfo>> chunks;
    for (size_t i = 0; i < kept; ++i)
        chunks.push_back(std::move(FChunks[i]));
    if (fillerAt) {
        auto filler = std::make_unique<TChunkInfo>();
        filler->ChunkID = JunkId;
        filler->Offset = *fillerAt;
        filler->Size = offsets.front() - *fillerAt - ChunkHeaderSize;
        chunks.push_back(std::move(filler));
    }
    for (size_t i = 0; i < tail.size(); ++i) {
        TChunkInfo &chunk = *tail[i];
        chunk.Size = chunk.Length();
        chunk.Offset = offsets[i];
        chunk.PadOnDisk = chunk.Size & 1;
        chunks.push_back(std::move(FChunks[live + i]));
    }
    if (kept > 0 && (chunks[kept - 1]->Size & 1))
        chunks[kept - 1]->PadOnDisk = true;
    FChunks = std::move(chunks);

    source.Order.clear();
    for (const auto &chunk : FChunks)
        source.Order.push_back(chunk->Offset);
    source.PaddedEnd = end;
    const struct stat st = source.File.Stat();
    source.Length = st.st_size;
    source.Modified = st.st_mtim;
    return true;
}
