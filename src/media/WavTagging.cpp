#include "media/WavTagging.h"

#include "media/EmbeddedText.h"

#include <stdexcept>

namespace
{

const TFourCC smlId("SML ");

[[noreturn]] void fail(const QString &fileName, const QString &reason)
{
    throw std::runtime_error(QStringLiteral("%1: %2").arg(fileName, reason).toStdString());
}

IRiffRW load(const QString &fileName)
{
    IRiffRW riff = CreateRiffRW();
    try {
        riff->LoadFromFile(fileName);
    } catch (const std::exception &e) {
        fail(fileName, QString::fromUtf8(e.what()));
    }
    return riff;
}

bool hasFormatAndData(const TRiffRW &riff)
{
    return riff.IndexOf(TFourCC("fmt ")) >= 0 && riff.IndexOf(TFourCC("data")) >= 0;
}

} // namespace

TWavSummary InspectWavFile(const QString &fileName)
{
    const IRiffRW riff = CreateRiffRW();
    TWavSummary summary;
    try {
        riff->LoadFromFile(fileName);
    } catch (const std::exception &e) {
        summary.LoadError = QStringLiteral("%1: %2").arg(fileName, QString::fromUtf8(e.what()));
    }
    for (int i = 0; i < riff->GetChunkCount(); ++i)
        summary.Chunks.push_back({riff->GetChunkName(i), riff->ChunkOffset(i), riff->ChunkSize(i)});
    summary.Notices = riff->Notices();
    summary.HasFormatAndData = hasFormatAndData(*riff);
    const int sml = riff->IndexOf(smlId);
    if (sml >= 0 && summary.LoadError.isEmpty())
        summary.Document = riff->ReadChunk(sml);
    return summary;
}

std::optional<QByteArray> ReadWavStationBytes(const QString &fileName)
{
    const IRiffRW riff = load(fileName);
    const int sml = riff->IndexOf(smlId);
    if (sml < 0)
        return std::nullopt;
    return riff->ReadChunk(sml);
}

void TagWavFile(const QString &source, const QString &target, const QString &text,
                const TTagProgress &progress)
{
    const IRiffRW riff = load(source);
    if (!hasFormatAndData(*riff))
        fail(source, QStringLiteral("not a WAV recording: it lacks a \"fmt \" or \"data\" chunk"));
    TagWavRiff(*riff, target, text, progress);
}

void TagWavRiff(TRiffRW &riff, const QString &target, const QString &text,
                const TTagProgress &progress)
{
    if (!hasFormatAndData(riff))
        fail(riff.SourceFileName(),
             QStringLiteral("not a WAV recording: it lacks a \"fmt \" or \"data\" chunk"));
    riff.ReplaceChunk(smlId, EncodeEmbeddedText(text));
    riff.SetProgress(progress);
    // Saved onto its own source the container re-tags in place; any other name gets
    // a new file written atomically.
    try {
        riff.SaveToFile(target);
    } catch (const std::exception &e) {
        riff.SetProgress({});
        fail(target, QString::fromUtf8(e.what()));
    }
    riff.SetProgress({});
}
