// The chunk container: load, save, chunk operations, and how it refuses bad input.
#include "Riff/ERiffError.h"
#include "Riff/TRiffRW.h"
#include "RiffBytes.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace riffbytes;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::MatchesRegex;

namespace
{

class RiffTest : public testing::Test
{
protected:
    QString Write(const QByteArray &bytes, const QString &name = "in.wav")
    {
        const QString path = dir.filePath(name);
        testsupport::writeFile(path, bytes);
        return path;
    }
    // The error a call raises, or "" when it raises none.
    template <typename F> static std::string ErrorOf(F &&f)
    {
        try {
            f();
        } catch (const ERiffError &e) {
            return e.what();
        }
        return "";
    }
    QStringList Entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
    IRiffRW riff = CreateRiffRW();
};

const QByteArray Fmt = Pattern(16, 7);

// ---- loading -------------------------------------------------------------------------------

struct LoadCase {
    const char *name;
    QByteArray file;
    std::vector<Chunk> chunks; // expected, when it loads
    std::string error;         // regex of the whole message, when it fails
    std::vector<TRiffNotice::TKind> notices;
};

class LoadTable : public RiffTest, public testing::WithParamInterface<LoadCase>
{
};

void PrintTo(const LoadCase &c, std::ostream *os)
{
    *os << c.name;
}

const QByteArray Wave = Riff("WAVE", {});

std::vector<LoadCase> LoadCases()
{
    using K = TRiffNotice::TKind;
    const std::string pos = " \\(TRiffRW\\.cpp, line [0-9]+\\)";
    const QByteArray plain = Riff("WAVE", {{"fmt ", Fmt}, {"data", "abcd"}});
    QByteArray badHeader = plain;
    badHeader.replace(0, 8, "RIFX" + LE32(5));
    return {
        {"only_header", Wave, {}, "", {}},
        {"plain", plain, {{"fmt ", Fmt}, {"data", "abcd"}}, "", {}},
        {"header_id_and_size_ignored",
         badHeader,
         {{"fmt ", Fmt}, {"data", "abcd"}},
         "",
         {K::HeaderId, K::HeaderSize}},
        {"empty_file", "", {}, "Can't read riff header" + pos, {}},
        {"seven_bytes", B("RIFF\4\0\0"), {}, "Can't read riff header" + pos, {}},
        {"eleven_bytes", B("RIFF\4\0\0\0WAV"), {}, "Can't read riff type" + pos, {}},
        {"three_stray_bytes",
         Fixed(plain + "xyz"),
         {{"fmt ", Fmt}, {"data", "abcd"}},
         "Can't read chunk type" + pos,
         {}},
        {"seven_stray_bytes",
         Fixed(plain + B("xyzw\1\0\0")),
         {{"fmt ", Fmt}, {"data", "abcd"}},
         "Can't read chunk size" + pos,
         {}},
        // Standard padding: the zero after an odd chunk is skipped.
        {"odd_chunk_padded",
         Riff("WAVE", {{"fmt ", "abc"}, {"data", "xy"}}),
         {{"fmt ", "abc"}, {"data", "xy"}},
         "",
         {}},
        // Written without the pad: the next id starts right after the data.
        {"odd_chunk_unpadded",
         Riff("WAVE", {{"fmt ", "abc", false}, {"data", "xy"}}),
         {{"fmt ", "abc"}, {"data", "xy"}},
         "",
         {K::MissingPad}},
        {"odd_last_chunk_unpadded",
         Riff("WAVE", {{"fmt ", "ab"}, {"SML ", "<x/>", false}, {"data", "abc", false}}),
         {{"fmt ", "ab"}, {"SML ", "<x/>"}, {"data", "abc"}},
         "",
         {K::MissingPad}},
        // Two LIST chunks (INFO and adtl) are common; both stay, in order.
        {"repeated_ids",
         Riff("WAVE", {{"LIST", "INFO"}, {"data", "ab"}, {"LIST", "adtl"}}),
         {{"LIST", "INFO"}, {"data", "ab"}, {"LIST", "adtl"}},
         "",
         {K::RepeatedId}},
        {"chunk_past_end",
         Fixed(plain + "SML " + LE32(10) + "short"),
         {{"fmt ", Fmt}, {"data", "abcd"}},
         "Chunk \"SML \" at offset 48 declares 10 bytes, but only 5 remain in the file" + pos,
         {K::PastEnd}},
        // RF64 files declare their sizes as 0xFFFFFFFF.
        {"rf64_size",
         Fixed(Riff("WAVE", {{"ds64", Pattern(28)}}) + "data" + LE32(0xFFFFFFFF) + "ab"),
         {{"ds64", Pattern(28)}},
         "Chunk \"data\" at offset 48 declares 4294967295 bytes.*",
         {K::PastEnd}},
        // An id that looks like a text pattern is named as it is.
        {"pattern_like_id_named",
         Fixed(Wave + "%1%2" + LE32(9)),
         {},
         "Chunk \"%1%2\" at offset 12 declares 9 bytes, but only 0 remain in the file \\(TRiffRW.*",
         {K::PastEnd}},
        {"binary_id_named",
         Fixed(Wave + "\x86\x61\x74\x60" + LE32(62207)),
         {},
         "Chunk \"\\\\x86at`\" at offset 12 declares 62207 bytes.*",
         {K::PastEnd}},
    };
}

TEST_P(LoadTable, LoadsOrRefuses)
{
    const LoadCase &c = GetParam();
    const std::string error = ErrorOf([&] { riff->LoadFromFile(Write(c.file)); });
    if (c.error.empty())
        EXPECT_EQ(error, "");
    else
        EXPECT_THAT(error, MatchesRegex(c.error));
    // On failure the chunks read completely before it stay loaded.
    EXPECT_EQ(Contents(*riff), Contents(c.chunks));
    std::vector<TRiffNotice::TKind> kinds;
    for (const TRiffNotice &n : riff->Notices())
        kinds.push_back(n.Kind);
    EXPECT_EQ(kinds, c.notices);
}

INSTANTIATE_TEST_SUITE_P(Files, LoadTable, testing::ValuesIn(LoadCases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(RiffTest, LoadClearsFirstAndKeepsTheFormTypeWhenTheHeaderFails)
{
    riff->LoadFromFile(Write(Riff("AVI ", {{"abcd", "1"}})));
    EXPECT_EQ(riff->GetFourCC(), TFourCC("AVI "));
    EXPECT_THAT(ErrorOf([&] { riff->LoadFromFile(dir.filePath("missing.wav")); }),
                MatchesRegex("Cannot open file \".*missing.wav\". No such file or directory"));
    EXPECT_EQ(riff->GetChunkCount(), 0);
    EXPECT_EQ(riff->GetFourCC(), TFourCC("AVI "));
    EXPECT_THAT(ErrorOf([&] { riff->LoadFromFile(dir.path()); }), HasSubstr("Cannot open file"));
    // A pipe would block a plain open until someone writes to it.
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("pipe.wav")).constData(), 0600), 0);
    EXPECT_THAT(ErrorOf([&] { riff->LoadFromFile(dir.filePath("pipe.wav")); }),
                HasSubstr("Not a regular file"));
}

TEST_F(RiffTest, NoticesGiveOffsetsAndSizes)
{
    riff->LoadFromFile(
        Write(Riff("WAVE", {{"fmt ", "abc", false}, {"LIST", "x"}, {"LIST", "yz"}})));
    ASSERT_EQ(riff->Notices().size(), 2u);
    const TRiffNotice &pad = riff->Notices()[0];
    EXPECT_EQ(pad.Kind, TRiffNotice::TKind::MissingPad);
    EXPECT_EQ(pad.ChunkID, TFourCC("fmt "));
    EXPECT_EQ(pad.Offset, 12);
    EXPECT_EQ(pad.Size, 3);
    const TRiffNotice &repeat = riff->Notices()[1];
    EXPECT_EQ(repeat.Kind, TRiffNotice::TKind::RepeatedId);
    EXPECT_EQ(repeat.Offset, 12 + 8 + 3 + 10);
    EXPECT_EQ(repeat.Text.toStdString(), "Chunk \"LIST\" at offset 33 repeats an id seen before");
    EXPECT_EQ(riff->ChunkOffset(2), 33);
    EXPECT_EQ(riff->ChunkSize(2), 2);
}

// ---- saving --------------------------------------------------------------------------------

TEST_F(RiffTest, EmptyContainerSavesTwelveBytes)
{
    riff->SetFourCC("WAVE");
    riff->SaveToFile(dir.filePath("out.wav"));
    EXPECT_EQ(testsupport::readFile(dir.filePath("out.wav")), QByteArray("RIFF\4\0\0\0WAVE", 12));
}

TEST_F(RiffTest, SavePadsOddChunksAndCountsThePadInTheHeader)
{
    riff->SetFourCC("WAVE");
    riff->AddChunk("fmt ") = "abc";
    riff->AddChunk("data") = "xy";
    riff->AddChunk("SML ") = "<a/>z";
    riff->SaveToFile(dir.filePath("out.wav"));
    const QByteArray expected = QByteArray("RIFF") + LE32(4 + 12 + 10 + 14) + "WAVE" + "fmt " +
                                LE32(3) + "abc" + '\0' + "data" + LE32(2) + "xy" + "SML " +
                                LE32(5) + "<a/>z" + '\0';
    EXPECT_EQ(testsupport::readFile(dir.filePath("out.wav")), expected);
    // The container is not changed by a save, so the next one writes the same bytes.
    riff->SaveToFile(dir.filePath("again.wav"));
    EXPECT_EQ(testsupport::readFile(dir.filePath("again.wav")), expected);
}

TEST_F(RiffTest, RoundTripKeepsEveryChunkAndRepairsHeaderAndPads)
{
    const std::vector<Chunk> chunks = {
        {"bext", Pattern(9)}, {"fmt ", Fmt},    {"data", Pattern(101), false},
        {"LIST", "INFOabc"},  {"LIST", "adtl"}, {"JUNK", QByteArray(6, 0)}};
    QByteArray file = Riff("WAVE", chunks);
    file.replace(4, 4, LE32(3)); // a wrong header size
    riff->LoadFromFile(Write(file));
    std::vector<std::pair<qint64, qint64>> progress;
    riff->SetProgress([&](qint64 done, qint64 total) { progress.emplace_back(done, total); });
    riff->SaveToFile(dir.filePath("out.wav"));
    // Progress only grows and ends at the whole file.
    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back().first, QFileInfo(dir.filePath("out.wav")).size());
    EXPECT_EQ(progress.back().second, progress.back().first);

    std::vector<Chunk> padded = chunks;
    for (Chunk &c : padded)
        c.pad = true;
    EXPECT_EQ(testsupport::readFile(dir.filePath("out.wav")), Riff("WAVE", padded));
    const IRiffRW back = CreateRiffRW();
    back->LoadFromFile(dir.filePath("out.wav"));
    EXPECT_EQ(Contents(*back), Contents(chunks));
    // The repaired file is plain RIFF: only the repeated id is worth a notice.
    ASSERT_EQ(back->Notices().size(), 1u);
    EXPECT_EQ(back->Notices()[0].Kind, TRiffNotice::TKind::RepeatedId);
}

TEST_F(RiffTest, ChunkOperations)
{
    EXPECT_EQ(riff->IndexOf("SML "), -1);
    riff->LoadFromFile(Write(Riff("WAVE", {{"fmt ", Fmt},
                                           {"data", "ab"},
                                           {"LIST", "1"},
                                           {"SML ", "old"},
                                           {"LIST", "2"},
                                           {"SML ", "older"}})));
    const std::string range = "Index out of range \\(TRiffRW\\.cpp, line [0-9]+\\)";
    for (int bad : {-1, 6}) {
        EXPECT_THAT(ErrorOf([&] { riff->GetChunk(bad); }), MatchesRegex(range));
        EXPECT_THAT(ErrorOf([&] { riff->GetChunkName(bad); }), MatchesRegex(range));
        EXPECT_THAT(ErrorOf([&] { riff->DeleteChunk(bad); }), MatchesRegex(range));
    }
    EXPECT_EQ(riff->GetChunkCount(), 6);
    EXPECT_EQ(riff->IndexOf("LIST"), 2);
    EXPECT_EQ(riff->IndexOf("list"), -1); // case-sensitive
    EXPECT_THAT(ErrorOf([&] { riff->AddChunk("LIST"); }),
                MatchesRegex("Chunk already exists \\(TRiffRW\\.cpp, line [0-9]+\\)"));
    EXPECT_EQ(riff->GetChunkCount(), 6);
    riff->DeleteChunk(TFourCC("abcd"));
    EXPECT_EQ(riff->GetChunkCount(), 6);

    // Deleting and adding again moves a chunk to the end.
    riff->DeleteChunk(TFourCC("fmt "));
    riff->AddChunk("fmt ") = Fmt;
    EXPECT_EQ(riff->IndexOf("fmt "), 5);

    // Replacing removes every chunk of that id and adds one last chunk.
    riff->ReplaceChunk("SML ", "new");
    EXPECT_EQ(
        Contents(*riff),
        Contents({{"data", "ab"}, {"LIST", "1"}, {"LIST", "2"}, {"fmt ", Fmt}, {"SML ", "new"}}));

    // Buffers handed out stay valid while other chunks come and go.
    QByteArray &data = riff->GetChunk(0);
    for (const char *id : {"aaaa", "bbbb", "cccc", "dddd", "eeee", "ffff", "gggg", "hhhh"})
        riff->AddChunk(TFourCC::FromBytes(id));
    riff->DeleteChunk(1);
    data += "cd";
    EXPECT_EQ(riff->ReadChunk(0), "abcd");
}

// ---- the source file behind the chunks -------------------------------------------------------

TEST_F(RiffTest, BytesComeFromTheSourceAndAChangedSourceIsRefused)
{
    const QString in = Write(Riff("WAVE", {{"fmt ", Fmt}, {"data", Pattern(1000)}}));
    riff->LoadFromFile(in);
    EXPECT_EQ(riff->ReadChunk(1), Pattern(1000));
    riff->AddChunk("SML ") = "<x/>";
    const QString out = Write("previous", "out.wav");

    // Another program rewrites the recording after the load.
    testsupport::writeFile(in, Riff("WAVE", {{"fmt ", Fmt}, {"data", Pattern(1002, 3)}}));
    EXPECT_THAT(ErrorOf([&] { riff->ReadChunk(1); }), HasSubstr("changed since it was loaded"));
    EXPECT_THAT(ErrorOf([&] { riff->SaveToFile(out); }), HasSubstr("changed since it was loaded"));
    EXPECT_EQ(testsupport::readFile(out), "previous");
    EXPECT_THAT(Entries(), ElementsAre("in.wav", "out.wav"));
    // Bytes held before the change stay usable.
    EXPECT_EQ(riff->ReadChunk(2), "<x/>");
}

TEST_F(RiffTest, ReplacingTheSourceByRenameKeepsTheLoadedBytes)
{
    const QString in = Write(Riff("WAVE", {{"fmt ", Fmt}, {"data", Pattern(500)}}));
    riff->LoadFromFile(in);
    const QString other = Write(Riff("WAVE", {{"data", "other"}}), "other.wav");
    ASSERT_EQ(::rename(QFile::encodeName(other).constData(), QFile::encodeName(in).constData()), 0);
    riff->SaveToFile(dir.filePath("copy.wav"));
    EXPECT_EQ(testsupport::readFile(dir.filePath("copy.wav")),
              Riff("WAVE", {{"fmt ", Fmt}, {"data", Pattern(500)}}));
}

// ---- failed saves leave the target as it was -------------------------------------------------

TEST_F(RiffTest, FailedSaveLeavesTargetIdenticalAndNoTemporaryFile)
{
    riff->LoadFromFile(Write(Riff("WAVE", {{"fmt ", Fmt}, {"data", Pattern(64 * 1024)}})));
    riff->AddChunk("SML ") = "<x/>";
    const QByteArray previous = "an older recording";
    const QString out = Write(previous, "out.wav");

    // A file-size limit stands in for a full disk: writes fail part-way.
    struct rlimit old {
    };
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error = ErrorOf([&] { riff->SaveToFile(out); });
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_THAT(error, MatchesRegex("Can't write chunk data \\(TRiffRW\\.cpp, line [0-9]+\\)"));
    EXPECT_EQ(testsupport::readFile(out), previous);
    EXPECT_THAT(Entries(), ElementsAre("in.wav", "out.wav"));

    // A folder that does not exist, and a folder in the target's place.
    EXPECT_THAT(ErrorOf([&] { riff->SaveToFile(dir.filePath("no/such/out.wav")); }),
                HasSubstr("Cannot create file"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.wav"));
    EXPECT_THAT(ErrorOf([&] { riff->SaveToFile(dir.filePath("folder.wav")); }),
                HasSubstr("Cannot create file"));
    EXPECT_THAT(Entries(), ElementsAre("in.wav", "out.wav"));
}

TEST_F(RiffTest, ReadOnlyTargetIsNotReplaced)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser may write to read-only files";
    const QString out = Write("protected", "out.wav");
    ASSERT_EQ(chmod(QFile::encodeName(out).constData(), 0444), 0);
    riff->SetFourCC("WAVE");
    EXPECT_THAT(ErrorOf([&] { riff->SaveToFile(out); }),
                MatchesRegex("Cannot create file \".*out.wav\". Permission denied"));
    EXPECT_EQ(testsupport::readFile(out), "protected");
}

TEST_F(RiffTest, SaveWritesThroughASymbolicLink)
{
    const QString real = Write("old", "real.wav");
    ASSERT_EQ(::symlink("real.wav", QFile::encodeName(dir.filePath("link.wav")).constData()), 0);
    riff->SetFourCC("WAVE");
    riff->SaveToFile(dir.filePath("link.wav"));
    EXPECT_TRUE(QFileInfo(dir.filePath("link.wav")).isSymLink());
    EXPECT_EQ(testsupport::readFile(real), QByteArray("RIFF\4\0\0\0WAVE", 12));
}

// ---- sizes beyond the 32-bit fields ----------------------------------------------------------

TEST_F(RiffTest, SizesBeyondFourGibibytesAreRefused)
{
    // Sparse files: only the chunk headers take disk space.
    const auto sparse = [&](const QString &name, qint64 length, const QByteArray &head, qint64 at,
                            const QByteArray &second) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(head);
        EXPECT_TRUE(f.resize(length));
        EXPECT_TRUE(f.seek(at));
        f.write(second);
        return path;
    };
    const qint64 big = 0xFFFFFF00LL;
    const QByteArray head = "RIFF" + LE32(0xFFFFFFFF) + "WAVE" + "data" + LE32(quint32(big));
    const qint64 afterData = 20 + big;

    // A second chunk that ends past the limit cannot be described by the header.
    const QString tooLong =
        sparse("long.wav", afterData + 8 + 0x200, head, afterData, "LIST" + LE32(0x200));
    EXPECT_THAT(ErrorOf([&] { riff->LoadFromFile(tooLong); }),
                MatchesRegex("Chunk \"LIST\" at offset 4294967060 ends beyond the 4 GiB a RIFF "
                             "file can describe.*"));

    // It loads when it fits, but adding to it would make the header size lie.
    const QString fits = sparse("fits.wav", afterData + 8 + 4, head, afterData, "LIST" + LE32(4));
    riff->LoadFromFile(fits);
    EXPECT_EQ(riff->GetChunkCount(), 2);
    riff->AddChunk("SML ") = QByteArray(300, 'x');
    EXPECT_THAT(ErrorOf([&] { riff->SaveToFile(dir.filePath("out.wav")); }),
                HasSubstr("The file would be too large for RIFF"));
    EXPECT_THAT(ErrorOf([&] { riff->SaveToFile(fits); }),
                HasSubstr("The file would be too large for RIFF"));
    EXPECT_FALSE(QFile::exists(dir.filePath("out.wav")));
    EXPECT_EQ(QFileInfo(fits).size(), afterData + 12);

    // A re-tag in place would keep the old tag beside the new one past the limit; the
    // file without the old tag fits, so it is rewritten instead of getting a header
    // that lies. (A name too long for the temporary file stops that rewrite at once.)
    const qint64 audio = 0xFFFFFFFFLL - 3000 - 21; // even: no pad byte
    const QByteArray tagged =
        "RIFF" + LE32(quint32(audio + 3020)) + "WAVE" + "data" + LE32(quint32(audio));
    const QString nearLimit = sparse(QString(246, 'n') + ".wav", 20 + audio + 3008, tagged,
                                     20 + audio, "SML " + LE32(3000) + QByteArray(3000, 'x'));
    riff->LoadFromFile(nearLimit);
    riff->ReplaceChunk("SML ", QByteArray(3000, 'y'));
    EXPECT_THAT(ErrorOf([&] { riff->SaveToFile(nearLimit); }), HasSubstr("Cannot create file"));
    QFile back(nearLimit);
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    EXPECT_EQ(back.size(), 20 + audio + 3008);
    EXPECT_EQ(back.read(8), tagged.left(8));
}

} // namespace
