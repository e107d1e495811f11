// The comment segment operations on byte buffers: the pair search, writing a comment
// before the last FF D9 pair and reading the last FF FE pair back.
#include "media/JpgComment.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

struct PairCase {
    const char *name;
    QByteArray bytes;
    quint8 first, second;
    bool found;
    qint32 at;
};

TEST(Find2ByteOccuranceStart, FindsTheLastPairAndSkipsConsumedPartners)
{
    const PairCase cases[] = {
        {"empty buffer", {}, 0xFF, 0xD9, false, -7},
        {"last of two pairs", hex("ffd900ffd9"), 0xFF, 0xD9, true, 3},
        {"partner consumed by FF FF", hex("ffffd9"), 0xFF, 0xD9, false, -7},
        {"pair at the very start", hex("fffe0102"), 0xFF, 0xFE, true, 0},
        {"first byte as the last byte", hex("0001ff"), 0xFF, 0xD9, false, -7},
        {"pair after a lone first byte", hex("ff00ffd9"), 0xFF, 0xD9, true, 2},
    };
    for (const PairCase &c : cases) {
        TByteStream stream(c.bytes);
        qint32 foundAt = -7;
        EXPECT_EQ(Find2ByteOccuranceStart(&stream, c.first, c.second, foundAt), c.found) << c.name;
        EXPECT_EQ(foundAt, c.at) << c.name;
        EXPECT_EQ(stream.Position(), stream.Size()) << c.name;
    }
    qint32 untouched = -7;
    EXPECT_FALSE(Find2ByteOccuranceStart(nullptr, 0xFF, 0xD9, untouched));
    EXPECT_EQ(untouched, -7);
}

class AddCommentToStreamTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString target() const { return dir.filePath("out.jpg"); }

    QByteArray write(const QByteArray &picture, const QByteArray &comment)
    {
        auto ms = std::make_unique<TByteStream>(picture);
        AddCommentToStream(target(), ms, TByteStream(comment));
        EXPECT_EQ(ms, nullptr) << "the picture buffer is released";
        return testsupport::readFile(target());
    }
};

TEST_F(AddCommentToStreamTest, PlacesTheSegmentAtTheLastEndOfImagePair)
{
    const QByteArray comment300(300, 'x');
    struct Case {
        const char *name;
        QByteArray picture, comment, expected;
    } cases[] = {
        {"no comment yet", hex("ffd8aabbffd9"), "hi", hex("ffd8aabbfffe00046869ffd9")},
        {"after an earlier comment", hex("ffd8fffe000361ffd9"), "b",
         hex("ffd8fffe000361fffe000362ffd9")},
        {"no FF D9 at all: appended", hex("ffd8aabb"), "c", hex("ffd8aabbfffe000363ffd9")},
        {"empty comment", hex("ffd8ffd9"), "", hex("ffd8fffe0002ffd9")},
        {"short trailer overwritten", hex("ffd8ffd90102"), "z", hex("ffd8fffe00037affd9")},
        {"long trailer: its rest stays", hex("ffd8ffd9010203040506070809"), "z",
         hex("ffd8fffe00037affd906070809")},
        {"300 bytes: length 01 2E", hex("ffd9"), comment300,
         hex("fffe012e") + comment300 + hex("ffd9")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(write(c.picture, c.comment).toHex(), c.expected.toHex()) << c.name;
}

TEST_F(AddCommentToStreamTest, RefusesAnOversizedCommentAndKeepsTheExistingFile)
{
    testsupport::writeFile(target(), "old bytes");
    EXPECT_NO_THROW(write(hex("ffd8ffd9"), QByteArray(MaxJpegCommentBytes, 'a')));
    testsupport::writeFile(target(), "old bytes");
    auto ms = std::make_unique<TByteStream>(hex("ffd8ffd9"));
    EXPECT_THROW(AddCommentToStream(target(), ms, TByteStream(QByteArray(65534, 'a'))),
                 std::runtime_error);
    EXPECT_EQ(ms, nullptr);
    EXPECT_EQ(testsupport::readFile(target()), "old bytes");
}

TEST_F(AddCommentToStreamTest, AFailedWriteLeavesTheTargetAndNoTemporaryFile)
{
    testsupport::writeFile(target(), "old bytes");
    // A file-size limit makes the write fail part way, as a full disk would.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    auto ms = std::make_unique<TByteStream>(hex("ffd8") + QByteArray(1000, 'p') + hex("ffd9"));
    EXPECT_THROW(AddCommentToStream(target(), ms, TByteStream("x")), std::runtime_error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(testsupport::readFile(target()), "old bytes");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.jpg"});
}

TEST_F(AddCommentToStreamTest, WritesThroughASymbolicLink)
{
    const QString real = dir.filePath("real.jpg");
    testsupport::writeFile(real, "old bytes");
    ASSERT_TRUE(QFile::link(real, target()));
    write(hex("ffd8ffd9"), "s");
    EXPECT_TRUE(QFileInfo(target()).isSymLink());
    EXPECT_EQ(testsupport::readFile(real).toHex(), hex("ffd8fffe000373ffd9").toHex());
}

TEST_F(AddCommentToStreamTest, ARefusedReadOnlyTargetKeepsItsBytes)
{
    // The superuser may replace read-only files, so the write runs as "nobody" then,
    // in a folder that user may write to.
    const QString locked = dir.filePath("locked.jpg");
    testsupport::writeFile(locked, "old bytes");
    ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0444), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && ::setuid(65534) != 0)
            _exit(3);
        auto ms = std::make_unique<TByteStream>(hex("ffd8ffd9"));
        try {
            AddCommentToStream(locked, ms, TByteStream("x"));
        } catch (const std::runtime_error &) {
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << "0: the read-only file was replaced";
    EXPECT_EQ(testsupport::readFile(locked), "old bytes");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"locked.jpg"});
}

TEST(ExtractComment, ReadsTheLastPairOrFailsWithAStreamReadError)
{
    struct Case {
        const char *name;
        QByteArray bytes;
        const char *text; // nullptr: "Stream read error"
    } cases[] = {
        {"no FF FE", hex("ffd8ffd9"), ""},
        {"one comment", hex("ffd8fffe00056162ccffd9"), "ab\xC3\x8C"},
        {"newest of two", hex("fffe000361fffe000362ffd9"), "b"},
        {"length 2: empty", hex("fffe0002ffd9"), ""},
        {"payload past the end", hex("fffe000861"), nullptr},
        {"length cut off", hex("00fffe00"), nullptr},
        {"length 0 means 65534 bytes", hex("fffe0000616263"), nullptr},
        {"length 1 means 65535 bytes", hex("fffe0001616263"), nullptr},
    };
    for (const Case &c : cases) {
        TByteStream stream(c.bytes);
        if (c.text == nullptr) {
            try {
                ExtractComment(stream);
                ADD_FAILURE() << c.name << ": no error";
            } catch (const EStreamError &e) {
                EXPECT_STREQ(e.what(), "Stream read error") << c.name;
            }
        } else {
            EXPECT_EQ(ExtractComment(stream), QString::fromUtf8(c.text)) << c.name;
        }
        EXPECT_EQ(stream.Bytes(), c.bytes) << c.name << ": bytes unchanged";
    }
}

} // namespace
