// Saving a container onto its own source file: the audio in front is never
// rewritten, and a kill between any two writes leaves a file that loads with its
// old or its new tag.
#include "Riff/ERiffError.h"
#include "Riff/TRiffRW.h"
#include "RiffBytes.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace riffbytes;

namespace
{

const QByteArray Fmt = Pattern(16, 7);
const QByteArray Audio = Pattern(256 * 1024 + 1, 2); // odd: its pad byte must survive
const QByteArray Info = "INFOINAM\5\0\0\0night\0";
const QByteArray OldTag = "<KOVA_Station>old tag</KOVA_Station> \r\n"; // odd length
const QByteArray NewTag = Pattern(777, 9);                             // odd length
// NewTag and the other tags below do not fill whole 8-byte units: the rest of the
// grown region is cut off ("truncated").
const char *const Append[] = {"file extended",  "filler written", "tail appended",   "tail linked",
                              "header written", "truncated",      "old tail retired"};

struct Scenario {
    const char *name;
    std::vector<Chunk> file;
    std::vector<QByteArray> earlier; // tags saved in place before the one under test
    QByteArray tag;                  // the new tag; empty: remove it
    std::vector<std::string> steps;  // the durable steps of the save, in order
                                     // (the hook also hears "write" after every write)
};

std::vector<Scenario> Scenarios()
{
    const std::vector<Chunk> tagged = {
        {"fmt ", Fmt}, {"data", Audio}, {"LIST", Info}, {"SML ", OldTag}};
    return {
        {"first_tag",
         {{"fmt ", Fmt}, {"data", Audio}, {"LIST", Info}},
         {},
         NewTag,
         {Append, Append + 6}},
        // The audio ends the file without its pad byte: the grown region supplies it.
        {"first_tag_after_unpadded_audio",
         {{"fmt ", Fmt}, {"data", Audio, false}},
         {},
         NewTag,
         {Append, Append + 6}},
        {"replace_tag", tagged, {}, NewTag, {Append, Append + 7}},
        // A tail of whole 8-byte units fills the grown region: nothing to cut off.
        {"replace_tag_in_whole_units",
         tagged,
         {},
         Pattern(792, 8),
         {"file extended", "filler written", "tail appended", "tail linked", "header written",
          "old tail retired"}},
        // An earlier in-place save left filler; a tag that fits goes into it.
        {"replace_tag_into_filler",
         tagged,
         {Pattern(901, 4), Pattern(101, 6)},
         NewTag,
         {"tail written into filler", "tail linked", "header written", "truncated"}},
        {"replace_tag_bigger_than_filler",
         tagged,
         {Pattern(301, 4)},
         Pattern(5001, 5),
         {Append, Append + 7}},
        // A chunk after the old tag moves behind the new one.
        {"tag_before_list",
         {{"fmt ", Fmt}, {"data", Audio}, {"SML ", OldTag}, {"LIST", Info}},
         {},
         NewTag,
         {Append, Append + 7}},
        // Written without the pad byte after the old odd tag.
        {"old_tag_unpadded_at_end",
         {{"fmt ", Fmt}, {"data", Audio}, {"SML ", OldTag, false}},
         {},
         NewTag,
         {Append, Append + 7}},
        {"remove_tag", tagged, {}, "", {"header written", "truncated"}},
    };
}

void PrintTo(const Scenario &s, std::ostream *os)
{
    *os << s.name;
}

class InPlaceSave : public testing::TestWithParam<Scenario>
{
protected:
    void SetUp() override
    {
        path = dir.filePath("rec.wav");
        testsupport::writeFile(path, Riff("WAVE", GetParam().file));
        // The original tag, after any earlier saves.
        old = GetParam().file.back().id == "SML " || GetParam().file.size() == 4 ? OldTag : "";
        for (const QByteArray &tag : GetParam().earlier) {
            Save(tag, {});
            old = tag;
        }
    }

    // Loads the file, sets the tag and saves onto it, calling hook after each step.
    void Save(const QByteArray &tag, TRiffRW::TStepHook hook)
    {
        const IRiffRW riff = CreateRiffRW();
        riff->LoadFromFile(path);
        if (tag.isEmpty())
            while (riff->IndexOf("SML ") >= 0)
                riff->DeleteChunk(TFourCC("SML "));
        else
            riff->ReplaceChunk("SML ", tag);
        riff->SetStepHook(std::move(hook));
        riff->SaveToFile(path);
    }

    // The file loads, its audio is intact, and its first tag is the old or the new one.
    void ExpectSound(const std::string &when)
    {
        SCOPED_TRACE(when);
        const IRiffRW riff = CreateRiffRW();
        ASSERT_NO_THROW(riff->LoadFromFile(path));
        ASSERT_GE(riff->IndexOf("data"), 0);
        EXPECT_EQ(riff->ReadChunk(riff->IndexOf("fmt ")), Fmt);
        EXPECT_EQ(riff->ReadChunk(riff->IndexOf("data")), Audio);
        const int tag = riff->IndexOf("SML ");
        const QByteArray found = tag < 0 ? QByteArray() : riff->ReadChunk(tag);
        EXPECT_TRUE(found == old || found == GetParam().tag)
            << "tag of " << found.size() << " bytes is neither the old nor the new one";
    }

    QTemporaryDir dir;
    QString path;
    QByteArray old;
};

TEST_P(InPlaceSave, KillBetweenAnyTwoWritesLeavesOldOrNewTag)
{
    const Scenario &s = GetParam();
    const QByteArray before = testsupport::readFile(path);
    // The names the hook hears in a whole save: every write and every durable step.
    std::vector<std::string> heard;
    Save(s.tag, [&](const char *name) { heard.emplace_back(name); });
    ASSERT_GT(heard.size(), s.steps.size());
    for (size_t kill = 0; kill < heard.size(); ++kill) {
        testsupport::writeFile(path, before);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            size_t call = 0;
            Save(s.tag, [&](const char *) {
                if (call++ == kill)
                    raise(SIGKILL);
            });
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the save ended before call " << kill;
        ExpectSound("killed after call " + std::to_string(kill) + ": " + heard[kill]);
    }
}

TEST_P(InPlaceSave, CompletedSaveKeepsTheAudioInPlace)
{
    const Scenario &s = GetParam();
    struct stat st0 {
    };
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &st0), 0);
    const IRiffRW riff = CreateRiffRW();
    riff->LoadFromFile(path);
    const qint64 audioAt = riff->ChunkOffset(riff->IndexOf("data"));
    if (s.tag.isEmpty())
        riff->DeleteChunk(TFourCC("SML "));
    else
        riff->ReplaceChunk("SML ", s.tag);
    std::vector<std::string> steps;
    riff->SetStepHook([&](const char *name) {
        if (std::string(name) != "write")
            steps.emplace_back(name);
    });
    riff->SaveToFile(path);
    EXPECT_EQ(steps, s.steps);

    old = s.tag; // only the new tag is acceptable now
    ExpectSound("after the save");
    struct stat st {
    };
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_ino, st0.st_ino);

    // The container's list is the file's, the header tells the truth, and apart
    // from at most one filler chunk the file holds what was asked for, in order.
    const IRiffRW back = CreateRiffRW();
    back->LoadFromFile(path);
    ASSERT_EQ(back->GetChunkCount(), riff->GetChunkCount());
    for (int i = 0; i < back->GetChunkCount(); ++i) {
        EXPECT_EQ(back->GetChunkName(i), riff->GetChunkName(i)) << i;
        EXPECT_EQ(back->ChunkOffset(i), riff->ChunkOffset(i)) << i;
        EXPECT_EQ(back->ReadChunk(i), riff->ReadChunk(i)) << i;
    }
    EXPECT_EQ(back->ChunkOffset(back->IndexOf("data")), audioAt);
    EXPECT_TRUE(back->Notices().empty());
    std::vector<Chunk> expected;
    int fillers = 0;
    for (int i = 0; i < back->GetChunkCount(); ++i)
        if (back->GetChunkName(i) == TFourCC("JUNK"))
            ++fillers;
        else
            expected.push_back({Id(back->GetChunkName(i)), back->ReadChunk(i)});
    EXPECT_LE(fillers, 1);
    std::vector<Chunk> wanted;
    for (const Chunk &c : s.file)
        if (c.id != "SML ")
            wanted.push_back(c);
    if (!s.tag.isEmpty())
        wanted.push_back({"SML ", s.tag});
    EXPECT_EQ(Contents(expected), Contents(wanted));
}

INSTANTIATE_TEST_SUITE_P(Saves, InPlaceSave, testing::ValuesIn(Scenarios()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(InPlaceSaves, RepeatedSavesLeaveNoPileOfFiller)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("rec.wav");
    const QByteArray plain = Riff("WAVE", {{"fmt ", Fmt}, {"data", Audio}});
    testsupport::writeFile(path, plain);
    const IRiffRW riff = CreateRiffRW();
    riff->LoadFromFile(path);
    const int sizes[] = {1200, 1100, 1301, 900, 2500, 2500, 700, 3001, 10, 1999};
    for (int round = 0; round < 10; ++round) {
        const QByteArray tag = Pattern(sizes[round], round);
        riff->ReplaceChunk("SML ", tag);
        riff->SaveToFile(path);
        const IRiffRW back = CreateRiffRW();
        back->LoadFromFile(path);
        EXPECT_EQ(back->ReadChunk(back->IndexOf("SML ")), tag);
        EXPECT_EQ(back->GetChunkCount(), riff->GetChunkCount());
        EXPECT_LE(back->GetChunkCount(), 4);
        // At most the previous and the current tag beyond the audio.
        EXPECT_LE(QFileInfo(path).size(), plain.size() + 2 * (3001 + 8) + 8) << round;
    }
}

TEST(InPlaceSaves, FailedOrRefusedSaveLeavesTheFileAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("rec.wav");
    const QByteArray original = Riff("WAVE", {{"fmt ", Fmt}, {"data", Audio}, {"SML ", OldTag}});
    testsupport::writeFile(path, original);
    const IRiffRW riff = CreateRiffRW();
    riff->LoadFromFile(path);
    riff->ReplaceChunk("SML ", Pattern(64 * 1024, 3));

    // The file may not grow: growing it fails and the file is taken back.
    struct rlimit old {
    };
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = rlim_t(original.size() + 1000);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    try {
        riff->SaveToFile(path);
    } catch (const ERiffError &e) {
        error = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(error.rfind("Cannot write file \"" + path.toStdString() + "\".", 0), 0u) << error;
    EXPECT_EQ(testsupport::readFile(path), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"rec.wav"});

    // With the space back, the same container saves.
    riff->SaveToFile(path);
    const IRiffRW back = CreateRiffRW();
    back->LoadFromFile(path);
    EXPECT_EQ(back->ReadChunk(back->IndexOf("SML ")), Pattern(64 * 1024, 3));

    // Another program changed the file since the load: nothing is written.
    riff->ReplaceChunk("SML ", "<x/>");
    const QByteArray changed = Riff("WAVE", {{"data", "other"}});
    testsupport::writeFile(path, changed);
    EXPECT_THROW(riff->SaveToFile(path), ERiffError);
    EXPECT_EQ(testsupport::readFile(path), changed);
}

} // namespace
