// Finding the station document in a picture: only a comment segment that lies inside
// the file and holds a KOVA_Station document counts, searching back from the last one.
#include "media/JpgStationDocument.h"
#include "media/JpgTagging.h"

#include "support/TestSupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

QByteArray segment(const QByteArray &comment)
{
    const int length = comment.size() + 2;
    return hex("fffe") + QByteArray(1, char(length >> 8)) + QByteArray(1, char(length & 0xFF)) +
           comment;
}

const QByteArray sml = "<?xml version=\"1.0\"?>\r\n<KOVA_Station Version=\"1\">\r\n"
                       "  <TitleBlock/>\r\n</KOVA_Station>";
const QByteArray head = hex("ffd8ffe000104a46494600010100000100010000");
const QByteArray scan = hex("ffda000201ff0002ff00");

TEST(FindStationDocument, TakesTheNewestSegmentHoldingADocument)
{
    const QByteArray older = "<KOVA_Station Version=\"0\"/>";
    struct Case {
        const char *name;
        QByteArray jpg;
        const char *expected; // nullptr: none
    } cases[] = {
        {"no comment", head + scan + hex("ffd9"), nullptr},
        {"document before the end marker", head + scan + segment(sml) + hex("ffd9"), sml},
        {"plain text comment is no document", head + segment("Created with a camera") + scan,
         nullptr},
        {"FF FE pair in later EXIF-like data is skipped",
         head + segment(sml) + hex("ffe10010") + hex("4578fffe7fff00000000000000") + scan, sml},
        {"length past the end is skipped", head + segment(sml) + scan + hex("fffe7000aabb"), sml},
        {"newest of two documents", head + segment(older) + segment(sml) + scan, sml},
        {"older document behind a newer plain comment",
         head + segment(older) + segment("note") + scan, older.constData()},
        {"other root", head + segment("<Station/>") + scan, nullptr},
        {"namespaced root", head + segment("<KOVA_Station xmlns=\"urn:x\"/>") + scan, nullptr},
        {"cut-off document", head + segment(sml.left(sml.size() - 5)) + scan, nullptr},
        {"external entity is not loaded",
         head +
             segment("<!DOCTYPE KOVA_Station [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>"
                     "<KOVA_Station>&e;</KOVA_Station>") +
             scan,
         "<!DOCTYPE KOVA_Station [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>"
         "<KOVA_Station>&e;</KOVA_Station>"},
        {"empty buffer", {}, nullptr},
        {"bare FF FE", hex("fffe"), nullptr},
    };
    for (const Case &c : cases) {
        const auto found = FindStationDocument(c.jpg);
        if (c.expected == nullptr) {
            EXPECT_FALSE(found.has_value()) << c.name;
            continue;
        }
        ASSERT_TRUE(found.has_value()) << c.name;
        EXPECT_EQ(found->Bytes, QByteArray(c.expected)) << c.name;
        EXPECT_EQ(c.jpg.mid(found->Offset + 4, found->Bytes.size()), found->Bytes) << c.name;
    }
}

TEST(FindStationDocument, DecodesWindows1252Comments)
{
    const QByteArray latin = "<KOVA_Station Operator=\"J\xF6rg \x80\"/>";
    const auto found = FindStationDocument(head + segment(latin) + scan);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->Text,
              QString::fromUtf8("<KOVA_Station Operator=\"J\xC3\xB6rg \xE2\x82\xAC\"/>"));
}

TEST(InsertJpgComment, KeepsEveryByteOfThePicture)
{
    const QByteArray body = head + scan;
    struct Case {
        const char *name;
        QByteArray picture, expected;
    } cases[] = {
        {"before the end marker", body + hex("ffd9"), body + segment("x") + hex("ffd9")},
        {"trailer with its own FF D9 kept", body + hex("ffd9") + "TRAILER" + hex("ffd9"),
         body + segment("x") + hex("ffd9") + "TRAILER" + hex("ffd9")},
        {"end marker inside a thumbnail is not the end",
         head + hex("ffe1000affd8ffd9ffd9aaaa") + scan,
         head + hex("ffe1000affd8ffd9ffd9aaaa") + scan + segment("x") + hex("ffd9")},
        {"cut in the scan data: appended", body + hex("1234"),
         body + hex("1234") + segment("x") + hex("ffd9")},
        {"junk between segments skipped", head + hex("0102") + scan + hex("ffd9"),
         head + hex("0102") + scan + segment("x") + hex("ffd9")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(InsertJpgComment(c.picture, "x").toHex(), c.expected.toHex()) << c.name;

    const QByteArray refused[] = {"not a picture", hex("ffd8ffe2ffff0000"), hex("ffd8ffe20001")};
    for (const QByteArray &bad : refused)
        EXPECT_THROW(InsertJpgComment(bad, "x"), std::runtime_error) << bad.toHex().constData();
    EXPECT_THROW(InsertJpgComment(body + hex("ffd9"), QByteArray(65534, 'a')), std::runtime_error);
}

// Decoded pixels as PNM, or empty when djpeg cannot decode the file.
QByteArray pixels(const QString &file)
{
    QProcess djpeg;
    djpeg.start(QStringLiteral("djpeg"), {QStringLiteral("-pnm"), file});
    djpeg.waitForFinished(30000);
    const QByteArray out = djpeg.readAllStandardOutput();
    return djpeg.exitStatus() == QProcess::NormalExit && djpeg.exitCode() != 1 ? out : QByteArray();
}

TEST(JpgTaggingCorpus, EveryPictureTakesTheDocumentAndDecodesToTheSamePixels)
{
    ORVANE_REQUIRE_CORPUS();
    const bool haveDjpeg = !QStandardPaths::findExecutable(QStringLiteral("djpeg")).isEmpty();
    QTemporaryDir dir;
    const QString text = QString::fromUtf8(sml) + QStringLiteral("\r\n<!-- \u00e9\u20ac -->");
    for (const QString &file : testsupport::corpusFiles(QStringLiteral("jpg"))) {
        const QString name = QFileInfo(file).fileName();
        const QByteArray original = testsupport::readFile(file);
        EXPECT_FALSE(ReadJpgStationDocument(file).has_value()) << name.toStdString();
        const QString copy = testsupport::copyInto(file, dir);
        try {
            TagJpgFile(copy, copy, text);
        } catch (const std::runtime_error &e) {
            // Only a picture whose header runs past its end is refused, untouched.
            EXPECT_EQ(name, QStringLiteral("truncated-17b-in-app2.jpg")) << e.what();
            EXPECT_EQ(testsupport::readFile(copy), original) << name.toStdString();
            continue;
        }
        const auto found = ReadJpgStationDocument(copy);
        ASSERT_TRUE(found.has_value()) << name.toStdString();
        EXPECT_EQ(found->Text, text) << name.toStdString();
        const QByteArray before = haveDjpeg ? pixels(file) : QByteArray();
        if (!before.isEmpty()) {
            EXPECT_EQ(pixels(copy), before) << name.toStdString();
        }
    }
    if (!haveDjpeg)
        GTEST_SKIP() << "djpeg not installed: pixels not compared";
}

} // namespace
