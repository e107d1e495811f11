// Real recordings written by other programs: every one that loads takes a tag and
// keeps every chunk; audio tools read the tagged copy as they read the original.
#include "Riff/ERiffError.h"
#include "Riff/TRiffRW.h"
#include "RiffBytes.h"
#include "support/TestSupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

using namespace riffbytes;
using testing::HasSubstr;

namespace
{

// One run of an audio tool on a file.
struct TProbe {
    QString tool;
    QStringList args;
    QString file;
    QStringList keep; // the output lines to compare (by prefix); empty: all
};

// What the tool said for each probe: exit code and the lines kept. The tools run
// side by side: each spends most of its time starting up.
std::vector<std::string> RunAll(const std::vector<TProbe> &probes)
{
    std::vector<std::unique_ptr<QProcess>> running;
    for (const TProbe &p : probes) {
        running.push_back(std::make_unique<QProcess>());
        running.back()->start(p.tool, p.args + QStringList{p.file});
    }
    std::vector<std::string> said;
    for (size_t i = 0; i < probes.size(); ++i) {
        QProcess &run = *running[i];
        if (!run.waitForFinished(60000)) {
            said.push_back("did not finish");
            continue;
        }
        QStringList lines;
        for (const QString &line : QString::fromUtf8(run.readAllStandardOutput()).split('\n'))
            if (probes[i].keep.isEmpty() ||
                std::any_of(probes[i].keep.begin(), probes[i].keep.end(),
                            [&](const QString &k) { return line.startsWith(k); }))
                lines << line;
        said.push_back(QString::number(run.exitCode()).toStdString() + "\n" +
                       lines.join('\n').toStdString());
    }
    return said;
}

const QString FfProbe = QStandardPaths::findExecutable("ffprobe");
const QString Sox = QStandardPaths::findExecutable("sox");

TEST(RiffCorpus, EveryRecordingThatLoadsTakesATagAndKeepsItsChunks)
{
    ORVANE_REQUIRE_CORPUS();
    QTemporaryDir dir;
    const QByteArray tag = "<?xml version=\"1.0\"?>\r\n<KOVA_Station>\xe9</KOVA_Station>";
    const QStringList ffArgs = {
        "-v", "error", "-show_entries",
        "stream=codec_name,sample_rate,channels,bits_per_sample,duration_ts"};
    const QStringList soxKeep = {"Channels", "Sample Rate", "Precision", "Duration",
                                 "Sample Encoding"};
    std::vector<TProbe> probes;
    int tagged = 0;
    for (const QString &file : testsupport::corpusFiles("wav")) {
        SCOPED_TRACE(file.toStdString());
        const QByteArray original = testsupport::readFile(file);
        const IRiffRW riff = CreateRiffRW();
        try {
            riff->LoadFromFile(file);
        } catch (const ERiffError &e) {
            EXPECT_STRNE(e.what(), "");
            EXPECT_EQ(testsupport::readFile(file), original);
            continue;
        }
        const auto before = Contents(*riff);
        riff->ReplaceChunk("SML ", tag);
        const QString out = dir.filePath(QFileInfo(file).fileName());
        riff->SaveToFile(out);
        ++tagged;

        const IRiffRW back = CreateRiffRW();
        back->LoadFromFile(out);
        auto expected = before;
        expected.emplace_back("SML ", tag);
        EXPECT_EQ(Contents(*back), expected);
        EXPECT_EQ(testsupport::readFile(file), original);

        // Both tools must read the audio of the tagged copy as they read the original.
        // Not compared by ffprobe: an empty data chunk, which it takes to run to the end
        // of the file, so whatever follows counts as audio.
        if (!FfProbe.isEmpty() && riff->ChunkSize(riff->IndexOf("data")) > 0)
            for (const QString &f : {file, out})
                probes.push_back({FfProbe, ffArgs, f, {}});
        if (!Sox.isEmpty())
            for (const QString &f : {file, out})
                probes.push_back({Sox, {"--i"}, f, soxKeep});
    }
    const std::vector<std::string> said = RunAll(probes);
    for (size_t i = 0; i + 1 < said.size(); i += 2)
        EXPECT_EQ(said[i + 1], said[i]) << probes[i + 1].file.toStdString();
    EXPECT_GT(tagged, 0);
    if (FfProbe.isEmpty() || Sox.isEmpty())
        GTEST_SKIP() << "ffprobe or sox not installed: tagged copies were not compared by them";
}

struct Known {
    const char *file;
    std::string error; // part of the load error; empty: loads
    std::vector<TRiffNotice::TKind> notices;
};

TEST(RiffCorpus, KnownFilesLoadOrAreRefusedClearly)
{
    ORVANE_REQUIRE_CORPUS();
    using K = TRiffNotice::TKind;
    const Known known[] = {
        // Two LIST chunks and two tags of different case: all kept.
        {"dup-id3-list-info.wav", "", {K::RepeatedId}},
        {"bext-cue-smpl-adtl.wav", "", {}},
        // Odd chunks written without their pad byte, in the middle and at the end.
        // Its 21 stray bytes after the last chunk are no chunk.
        {"unpadded-data-bad-info-size.wav",
         "Chunk \"pan\\x00\" at offset 14251 declares",
         {K::HeaderSize, K::MissingPad, K::PastEnd}},
        {"bext-ixml-unpadded.wav", "", {K::MissingPad}},
        {"odd-data-unpadded-at-eof.wav", "", {K::MissingPad}},
        {"rf64-pcm16.wav",
         "Chunk \"data\" at offset 72 declares 4294967295 bytes",
         {K::HeaderId, K::HeaderSize, K::PastEnd}},
        {"data-past-eof.wav",
         "Chunk \"data\" at offset 72 declares 17640 bytes",
         {K::HeaderSize, K::PastEnd}},
        {"fuzz-huge-chunk-22b.wav", "Chunk \"oooo\"", {K::HeaderSize, K::PastEnd}},
        {"incomplete-header-13b.wav", "Can't read chunk type", {K::HeaderSize}},
    };
    for (const Known &k : known) {
        SCOPED_TRACE(k.file);
        const IRiffRW riff = CreateRiffRW();
        std::string error;
        try {
            riff->LoadFromFile(testsupport::corpusDir() + "/wav/" + k.file);
        } catch (const ERiffError &e) {
            error = e.what();
        }
        if (k.error.empty())
            EXPECT_EQ(error, "");
        else
            EXPECT_THAT(error, HasSubstr(k.error));
        std::vector<TRiffNotice::TKind> kinds;
        for (const TRiffNotice &n : riff->Notices())
            kinds.push_back(n.Kind);
        EXPECT_EQ(kinds, k.notices);
    }
}

} // namespace
