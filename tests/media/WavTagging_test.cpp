// Tagging recordings through the shared helper: the document becomes the one, last
// "SML " chunk, every other chunk is kept byte for byte.
#include "media/EmbeddedText.h"
#include "media/WavTagging.h"

#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
}

QByteArray chunk(const char *id, const QByteArray &data)
{
    return QByteArray(id, 4) + le32(data.size()) + data +
           (data.size() % 2 ? QByteArray(1, '\0') : "");
}

QByteArray riff(const QByteArray &chunks)
{
    return "RIFF" + le32(chunks.size() + 4) + "WAVE" + chunks;
}

const QByteArray fmt = chunk("fmt ", QByteArray::fromHex("01000100401f0000401f000001000800"));

// The chunks of a file as id and bytes, in order.
std::vector<std::pair<QString, QByteArray>> chunksOf(const QString &file)
{
    std::vector<std::pair<QString, QByteArray>> out;
    const IRiffRW container = CreateRiffRW();
    container->LoadFromFile(file);
    for (int i = 0; i < container->GetChunkCount(); ++i)
        out.emplace_back(container->GetChunkName(i).Display(), container->ReadChunk(i));
    return out;
}

TEST(TagWavFile, RetaggingKeepsOneLastDocumentChunkAndEveryOtherChunk)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath("rec.wav");
    const QByteArray list = chunk("LIST", "INFOISFT\x03\0\0\0abc\0");
    testsupport::writeFile(wav,
                           riff(fmt + chunk("data", "\x80\x81\x82") + chunk("SML ", "old") + list));
    const auto before = chunksOf(wav);

    const QString texts[] = {QStringLiteral("<KOVA_Station>\n</KOVA_Station>"),
                             QString::fromUtf8("<KOVA_Station Op=\"\xC3\xB6\"/>")};
    for (const QString &text : texts) {
        TagWavFile(wav, wav, text);
        const auto after = chunksOf(wav);
        ASSERT_EQ(after.size(), 4u);
        EXPECT_EQ(after[0], before[0]);
        EXPECT_EQ(after[1], before[1]);
        EXPECT_EQ(after[2], before[3]) << "LIST moves up, unchanged";
        EXPECT_EQ(after[3].first, QStringLiteral("SML "));
        EXPECT_EQ(after[3].second, EncodeEmbeddedText(text)) << "no terminator, no pad in the data";
        EXPECT_EQ(ReadWavStationBytes(wav), EncodeEmbeddedText(text));
    }
}

TEST(TagWavFile, WritesElsewhereAndRefusesWhatIsNoRecording)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath("rec.wav");
    const QByteArray original = riff(fmt + chunk("data", "\x80\x81"));
    testsupport::writeFile(wav, original);
    const QString copy = dir.filePath("copy.wav");
    TagWavFile(wav, copy, QStringLiteral("<KOVA_Station/>"));
    EXPECT_EQ(testsupport::readFile(wav), original);
    EXPECT_FALSE(ReadWavStationBytes(wav).has_value());
    EXPECT_EQ(ReadWavStationBytes(copy), QByteArray("<KOVA_Station/>"));

    const QByteArray refused[] = {riff(fmt), riff(chunk("data", "ab")), "RIFF", QByteArray()};
    for (const QByteArray &bytes : refused) {
        testsupport::writeFile(wav, bytes);
        EXPECT_THROW(TagWavFile(wav, wav, QStringLiteral("<KOVA_Station/>")), std::runtime_error)
            << bytes.toHex().constData();
        EXPECT_EQ(testsupport::readFile(wav), bytes);
    }
}

} // namespace
