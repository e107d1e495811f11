// A RIFF file as an ordered list of named chunks.
//
// Loading reads only the chunk headers; a chunk's bytes stay in the source file
// until someone asks for them, and saving copies untouched chunks straight from
// the source. Chunks of odd length are followed by a zero pad byte on disk that
// their length does not count. Saving onto the source file itself appends the
// changed tail and never rewrites the chunks in front of it (see TRiffRW.cpp).
#pragma once

#include "Riff/TFourCC.h"
#include "Riff/TRiffNotice.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class TRiffRW;

// The reference-counted handle callers hold; the container dies with the last one.
using IRiffRW = std::shared_ptr<TRiffRW>;

// A new, empty container: no chunks, form type four zero bytes.
IRiffRW CreateRiffRW();

class TRiffRW
{
public:
    // Called while a save copies bytes: bytes written so far, bytes to write in all.
    using TProgress = std::function<void(qint64 done, qint64 total)>;
    // Called after each durable step of a save, with the step's name, and with
    // "write" after every single write of a save onto the source (a test seam).
    using TStepHook = std::function<void(const char *step)>;

    TRiffRW();
    virtual ~TRiffRW();
    TRiffRW(const TRiffRW &) = delete;
    TRiffRW &operator=(const TRiffRW &) = delete;

    // The form type, e.g. "WAVE"; four zero bytes in a new container.
    virtual TFourCC GetFourCC() const;
    virtual void SetFourCC(const TFourCC &value);
    virtual int GetChunkCount() const;
    // The chunk's bytes, read from the source file on first use and held from then
    // on; the caller may change them. Valid until the chunk is deleted or the
    // container cleared, reloaded or destroyed. "Index out of range" unless
    // 0 <= Index < count; an error when the source file changed since the load.
    virtual QByteArray &GetChunk(int Index);
    // The chunk's id; "Index out of range" as GetChunk.
    virtual TFourCC GetChunkName(int Index) const;
    // Removes every chunk and forgets the source file; the form type stays.
    virtual void Clear();
    // Replaces the contents with the file's chunk list (headers only). Throws on an
    // unreadable or malformed file; the chunks read completely before the failure
    // stay, and Notices() says what was found.
    virtual void LoadFromFile(const QString &Filename);
    // Writes the container as a RIFF file. To another file: through a temporary file
    // in the target's folder, flushed and renamed over the target, so a failure
    // leaves an existing target as it was. Onto its own source file: in place,
    // crash-safe, without rewriting the unchanged chunks in front (a retired tail
    // may stay as one "JUNK" chunk, which then appears in the chunk list). Throws
    // when a size does not fit the 32-bit fields or the source changed since the load.
    virtual void SaveToFile(const QString &Filename);
    // Index of the first chunk with this id; -1 when there is none.
    virtual int IndexOf(const TFourCC &ChunkFourCC) const;
    // Appends an empty chunk and returns its bytes; "Chunk already exists" (and no
    // change) when the id is present.
    virtual QByteArray &AddChunk(const TFourCC &ChunkFourCC);
    // Removes the chunk; "Index out of range" (and no change) unless 0 <= Index < count.
    virtual void DeleteChunk(int Index);
    // Removes the first chunk with this id; nothing when there is none.
    virtual void DeleteChunk(const TFourCC &ChunkFourCC);

    // The chunk's data length, without reading its bytes; "Index out of range" as GetChunk.
    qint64 ChunkSize(int Index) const;
    // File offset of the chunk's header in the source file; -1 for a chunk that is
    // not (or no longer) there, such as an added one. "Index out of range" as GetChunk.
    qint64 ChunkOffset(int Index) const;
    // A copy of the chunk's bytes; unlike GetChunk it does not keep bytes it had to
    // read from the source. Same errors as GetChunk.
    QByteArray ReadChunk(int Index) const;
    // Removes every chunk with this id and appends one new last chunk holding data.
    void ReplaceChunk(const TFourCC &ChunkFourCC, const QByteArray &data);

    // What the last load noticed (missing pad bytes, repeated ids, a wrong header, and
    // the reason a load was refused), in file order; empty after Clear.
    const std::vector<TRiffNotice> &Notices() const;
    // The file the chunks were loaded from (after a save onto it, that file); empty when none.
    QString SourceFileName() const;

    void SetProgress(TProgress progress);
    void SetStepHook(TStepHook hook);

private:
    struct TChunkInfo;
    struct TSource;
    struct TSaveItem;

    TChunkInfo &At(int Index) const;
    void CheckSourceUnchanged() const;
    QByteArray ReadSource(const TChunkInfo &chunk) const;
    bool SameAsSource(const TChunkInfo &chunk) const;
    std::vector<TSaveItem> Layout() const;
    void SaveNewFile(const QString &Filename, bool ontoSource);
    bool SaveInPlace(const QString &Filename);
    void Step(const char *name) const;

    TFourCC FFourCC;
    std::vector<std::unique_ptr<TChunkInfo>> FChunks;
    std::unique_ptr<TSource> FSource;
    std::vector<TRiffNotice> FNotices;
    TProgress FProgress;
    TStepHook FStepHook;
};
