// Tagging WAV recordings with the station document, shared by the window and the
// command-line tagger: the document travels as the last RIFF chunk "SML ", every
// other chunk passes through byte for byte.
#pragma once

#include "media/TagProgress.h"

#include "Riff/TRiffNotice.h"
#include "Riff/TRiffRW.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

struct TWavChunkEntry {
    TFourCC Id;
    qint64 Offset = 0; // of the chunk header in the file
    qint64 Size = 0;   // declared data length, pad byte not counted
};

struct TWavSummary {
    std::vector<TWavChunkEntry> Chunks;
    std::vector<TRiffNotice> Notices;
    bool HasFormatAndData = false;      // "fmt " and "data" both present
    std::optional<QByteArray> Document; // the bytes of the first "SML " chunk
    // Why the file did not load ("<file>: <reason>"); Chunks and Notices then hold
    // what was read before the failure (a chunk that runs past the end among them).
    QString LoadError;
};

// The chunk list of a WAV file, what its load noticed, and its "SML " bytes (read
// alone, the audio is not read). A file that does not load gives its LoadError.
TWavSummary InspectWavFile(const QString &fileName);

// The "SML " chunk's bytes; nullopt when the recording has none. Throws as InspectWavFile.
std::optional<QByteArray> ReadWavStationBytes(const QString &fileName);

// Writes source with the text (as embedded text: UTF-8, CR LF) as its one, last
// "SML " chunk to target. target == source re-tags in place, crash-safe and without
// rewriting the audio; another target is written atomically. Refuses a file without
// "fmt " and "data". Throws std::runtime_error ("<file>: <reason>"); target is then
// left loadable with its old contents.
void TagWavFile(const QString &source, const QString &target, const QString &text,
                const TTagProgress &progress = {});

// The same for a container already loaded: replaces its "SML " chunks with one last
// chunk holding the text and writes it to target (in place when target is its
// source). The container keeps the new chunk. Throws as TagWavFile.
void TagWavRiff(TRiffRW &riff, const QString &target, const QString &text,
                const TTagProgress &progress = {});
