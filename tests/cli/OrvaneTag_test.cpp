// orvane-tag run as scripts run it, over temporary copies of real recordings and
// pictures: exit statuses, round trips, JSON, and what other tools read afterwards.
#include "media/EmbeddedText.h"

#include "sml/KOVA_SML.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

namespace
{

struct TRun {
    int status = -1;
    QByteArray out, err;
};

TRun run(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(ORVANE_TAG_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(120000)) << arguments.join(' ').toStdString();
    TRun result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

// The output of an external tool, or nullopt when it is missing or fails.
std::optional<QByteArray> tool(const QString &program, const QStringList &arguments)
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() == 1 ||
        (program != QLatin1String("djpeg") && process.exitCode() != 0))
        return std::nullopt;
    return process.readAllStandardOutput();
}

// What ffprobe, sox and djpeg make of a file; a missing tool or a failure reads as "-".
// ffprobe gives no duration for a "data" chunk of length 0 and then counts every
// later byte as audio, so such a duration is left out of the comparison.
QByteArray interop(const QString &file, bool withDuration = true)
{
    const auto show = [](const std::optional<QByteArray> &out) {
        return out ? *out : QByteArray("-");
    };
    if (file.endsWith(QLatin1String(".jpg")))
        return show(tool(QStringLiteral("djpeg"), {QStringLiteral("-pnm"), file}));
    return show(
               tool(QStringLiteral("ffprobe"),
                    {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
                     withDuration
                         ? QStringLiteral("format=duration:stream=codec_name,sample_rate,channels")
                         : QStringLiteral("stream=codec_name,sample_rate,channels"),
                     file})) +
           show(tool(QStringLiteral("sox"), {QStringLiteral("--i"), QStringLiteral("-D"), file}));
}

// The document tree of an SML text, as its serialisation without the declaration
// (re-indenting drops a UTF-8 encoding name from it).
std::string withoutDeclaration(QString xml)
{
    static const QRegularExpression declaration(QStringLiteral("^<\\?xml[^>]*\\?>\\s*"));
    return xml.remove(declaration).toStdString();
}

std::string tree(const QString &text)
{
    TXMLDocument document;
    document.LoadFromXML(text);
    GetKOVA_Station(document);
    return withoutDeclaration(document.SaveToXML());
}

class OrvaneTag : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString doc;

    void SetUp() override
    {
        doc = dir.filePath(QStringLiteral("station.sml"));
        testsupport::writeFile(
            doc, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<KOVA_Station>\n  <TitleBlock>\n"
                 "    <Target TargetName=\"Cas A \xC3\xA9\xE2\x82\xAC\"/>\n"
                 "    <CreatedOn Date=\"2026-12-09\" Time=\"22:00:00\"/>\n"
                 "    <Files SML=\"\" JPG=\"old.jpg\" WAV=\"old.wav\"/>\n  </TitleBlock>\n"
                 "</KOVA_Station>\n");
    }

    // The station document with its Files element as a tag of target records it.
    std::string expectedTree(const QString &target)
    {
        TXMLDocument document;
        document.LoadFromFile(doc);
        const auto files = GetKOVA_Station(document)->Get_TitleBlock()->Get_Files();
        files->Set_SML(QFileInfo(doc).absoluteFilePath());
        const bool wav = target.endsWith(QLatin1String(".wav"));
        files->Set_WAV(wav ? QFileInfo(target).absoluteFilePath() : QStringLiteral("old.wav"));
        files->Set_JPG(wav ? QStringLiteral("old.jpg") : QFileInfo(target).absoluteFilePath());
        return withoutDeclaration(document.SaveToXML());
    }

    QStringList copies(const QString &kind)
    {
        QDir(dir.path()).mkpath(kind);
        QStringList out;
        for (const QString &file : testsupport::corpusFiles(kind)) {
            out << dir.filePath(kind + QLatin1Char('/') + QFileInfo(file).fileName());
            testsupport::writeFile(out.last(), testsupport::readFile(file));
        }
        return out;
    }
};

TEST_F(OrvaneTag, CommandLineErrorsAndHelp)
{
    const QString wav = dir.filePath(QStringLiteral("a.wav"));
    struct Case {
        QStringList arguments;
        int status;
        const char *outContains;
    } cases[] = {
        {{QStringLiteral("--version")}, 0, "orvane-tag "},
        {{QStringLiteral("--help")}, 0, "embed --sml DOC"},
        {{QStringLiteral("embed"), QStringLiteral("--help")}, 0, "--output-dir DIR"},
        {{}, 2, ""},
        {{QStringLiteral("retag"), wav}, 2, ""},
        {{QStringLiteral("show")}, 2, ""},
        {{QStringLiteral("show"), QStringLiteral("--bogus"), wav}, 2, ""},
        {{QStringLiteral("extract"), wav, wav}, 2, ""},
        {{QStringLiteral("embed"), wav}, 2, ""},
        {{QStringLiteral("embed"), QStringLiteral("--sml")}, 2, ""},
        {{QStringLiteral("embed"), QStringLiteral("--sml"), doc, QStringLiteral("-o"),
          QStringLiteral("x"), wav, wav},
         2,
         ""},
        {{QStringLiteral("embed"), QStringLiteral("--sml"), doc, QStringLiteral("-o"),
          QStringLiteral("x"), QStringLiteral("--output-dir"), dir.path(), wav},
         2,
         ""},
    };
    for (const Case &c : cases) {
        const TRun r = run(c.arguments);
        const std::string what = c.arguments.join(' ').toStdString();
        EXPECT_EQ(r.status, c.status) << what;
        EXPECT_TRUE(r.out.contains(c.outContains)) << what;
        if (c.status == 2) {
            EXPECT_TRUE(r.err.startsWith("orvane-tag: ")) << what;
            EXPECT_EQ(r.err.count('\n'), 1) << what << ": " << r.err.constData();
        }
    }
}

TEST_F(OrvaneTag, EmbedsEveryCorpusFileInOneCallAndReadsItBack)
{
    ORVANE_REQUIRE_CORPUS();
    const QStringList files = copies(QStringLiteral("wav")) + copies(QStringLiteral("jpg"));
    std::map<QString, QByteArray> before, seenBefore;
    for (const QString &file : files) {
        before[file] = testsupport::readFile(file);
        seenBefore[file] = interop(file);
    }

    const TRun embedded =
        run(QStringList{QStringLiteral("embed"), QStringLiteral("--sml"), doc} + files);
    // Files that cannot be tagged are reported one line each and the rest are done.
    EXPECT_EQ(embedded.status, embedded.err.isEmpty() ? 0 : 1);
    for (const QByteArray &line : embedded.err.split('\n'))
        if (!line.isEmpty()) {
            EXPECT_TRUE(line.startsWith("orvane-tag: " + dir.path().toUtf8())) << line.constData();
        }

    int tagged = 0;
    for (const QString &file : files) {
        const std::string name = QFileInfo(file).fileName().toStdString();
        if (embedded.err.contains((file + QStringLiteral(": ")).toUtf8())) {
            EXPECT_EQ(testsupport::readFile(file), before[file]) << name << " touched";
            continue;
        }
        ++tagged;
        const TRun extracted = run({QStringLiteral("extract"), file});
        ASSERT_EQ(extracted.status, 0) << name << extracted.err.constData();
        EXPECT_EQ(tree(QString::fromUtf8(extracted.out)), expectedTree(file)) << name;
        const bool withDuration = !seenBefore[file].contains("duration=N/A");
        EXPECT_EQ(
            interop(file, withDuration),
            withDuration
                ? seenBefore[file]
                : interop(testsupport::corpusDir() + "/wav/" + QFileInfo(file).fileName(), false))
            << name << ": other tools read it differently";
    }
    // The plain and the hard-but-standard files must be among the tagged ones.
    for (const char *name : {"pcm16-stereo-plain.wav", "dup-id3-list-info.wav",
                             "bext-ixml-unpadded.wav", "com-hopper.jpg", "exif-two-previews.jpg"})
        EXPECT_FALSE(embedded.err.contains(name)) << name << ": " << embedded.err.constData();
    EXPECT_GT(tagged, 0);

    // A second tag replaces the first: one "SML " chunk, the newest comment found.
    const TRun again =
        run(QStringList{QStringLiteral("embed"), QStringLiteral("--sml"), doc} + files);
    EXPECT_EQ(again.err, embedded.err);
    const TRun shown = run(QStringList{QStringLiteral("show"), QStringLiteral("--json")} + files);
    QJsonParseError error{};
    const QJsonArray all = QJsonDocument::fromJson(shown.out, &error).array();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << shown.out.left(300).constData();
    ASSERT_EQ(all.size(), files.size());
    for (const QJsonValue &value : all) {
        const QJsonObject o = value.toObject();
        const QString file = o[QStringLiteral("file")].toString();
        if (embedded.err.contains((file + QStringLiteral(": ")).toUtf8()))
            continue;
        EXPECT_EQ(o[QStringLiteral("kind")].toString(),
                  file.endsWith(QLatin1String(".wav")) ? "WAV" : "JPG");
        EXPECT_TRUE(o[QStringLiteral("hasSml")].toBool()) << file.toStdString();
        EXPECT_TRUE(o[QStringLiteral("smlLoads")].toBool()) << file.toStdString();
        EXPECT_EQ(o[QStringLiteral("targetName")].toString(),
                  QString::fromUtf8("Cas A \xC3\xA9\xE2\x82\xAC"));
        EXPECT_EQ(o[QStringLiteral("createdDate")].toString(), QStringLiteral("2026-12-09"));
        if (o.contains(QStringLiteral("chunks"))) {
            int smlChunks = 0;
            for (const QJsonValue &c : o[QStringLiteral("chunks")].toArray())
                smlChunks += c.toObject()[QStringLiteral("id")].toString() == QLatin1String("SML ");
            EXPECT_EQ(smlChunks, 1) << file.toStdString();
            EXPECT_EQ(o[QStringLiteral("chunks")].toArray().last().toObject()[QStringLiteral("id")],
                      QStringLiteral("SML "));
            EXPECT_EQ(o[QStringLiteral("wavFile")].toString(), QFileInfo(file).absoluteFilePath());
        } else {
            EXPECT_EQ(o[QStringLiteral("jpgFile")].toString(), QFileInfo(file).absoluteFilePath());
            EXPECT_GE(o[QStringLiteral("commentSegments")].toInt(), 2);
            EXPECT_EQ(o[QStringLiteral("documentSegment")].toInt(),
                      o[QStringLiteral("commentSegments")].toInt())
                << file.toStdString();
        }
    }
}

TEST_F(OrvaneTag, ADocumentThatIsNoStationDocumentTouchesNothing)
{
    ORVANE_REQUIRE_CORPUS();
    const QStringList files =
        copies(QStringLiteral("wav")).mid(0, 3) + copies(QStringLiteral("jpg")).mid(0, 3);
    std::map<QString, QByteArray> before;
    for (const QString &file : files)
        before[file] = testsupport::readFile(file);
    const QByteArray badDocs[] = {"<Station/>", "<KOVA_Station><TitleBlock>", "",
                                  "<KOVA_Station xmlns=\"urn:other\"/>"};
    for (const QByteArray &bad : badDocs) {
        testsupport::writeFile(doc, bad);
        const TRun r =
            run(QStringList{QStringLiteral("embed"), QStringLiteral("--sml"), doc} + files);
        EXPECT_EQ(r.status, 1) << bad.constData();
        EXPECT_TRUE(r.err.startsWith(("orvane-tag: " + doc + ": ").toUtf8())) << r.err.constData();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.constData();
    }
    for (const QString &file : files)
        EXPECT_EQ(testsupport::readFile(file), before[file]) << file.toStdString();
}

TEST_F(OrvaneTag, OutputsElsewhereLeaveTheSourceAndExtractReportsMissingTags)
{
    ORVANE_REQUIRE_CORPUS();
    const QString wav =
        testsupport::copyInto(testsupport::corpusDir() + "/wav/pcm16-stereo-plain.wav", dir);
    const QString jpg =
        testsupport::copyInto(testsupport::corpusDir() + "/jpg/com-hopper.jpg", dir);
    const QByteArray wavBefore = testsupport::readFile(wav);
    const QByteArray jpgBefore = testsupport::readFile(jpg);
    struct Case {
        const char *name;
        QStringList arguments;
        int status;
    } cases[] = {
        {"picture without document", {QStringLiteral("extract"), jpg}, 3},
        {"recording without document", {QStringLiteral("extract"), wav}, 3},
        {"not a media file", {QStringLiteral("extract"), doc}, 1},
        {"missing file", {QStringLiteral("extract"), dir.filePath("none.wav")}, 1},
        {"embed into a missing folder",
         {QStringLiteral("embed"), QStringLiteral("--sml"), doc, QStringLiteral("--output-dir"),
          dir.filePath("none"), wav},
         1},
    };
    for (const Case &c : cases) {
        const TRun r = run(c.arguments);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_TRUE(r.out.isEmpty()) << c.name;
        EXPECT_TRUE(r.err.startsWith("orvane-tag: ")) << c.name;
    }

    const QString out = dir.filePath(QStringLiteral("tagged.wav"));
    QDir(dir.path()).mkdir(QStringLiteral("batch"));
    const QString batch = dir.filePath(QStringLiteral("batch"));
    EXPECT_EQ(run({"embed", "--sml", doc, wav, "-o", out}).status, 0);
    EXPECT_EQ(run({"embed", "--sml", doc, "--output-dir", batch, wav, jpg}).status, 0);
    EXPECT_EQ(testsupport::readFile(wav), wavBefore);
    EXPECT_EQ(testsupport::readFile(jpg), jpgBefore);
    for (const QString &tagged :
         {out, batch + "/pcm16-stereo-plain.wav", batch + "/com-hopper.jpg"}) {
        const QString written = dir.filePath(QStringLiteral("doc-out.sml"));
        EXPECT_EQ(run({"extract", tagged, "-o", written}).status, 0) << tagged.toStdString();
        EXPECT_EQ(tree(QString::fromUtf8(testsupport::readFile(written))), expectedTree(tagged));
    }
}

TEST_F(OrvaneTag, OutputDirNeverWritesTwoInputsOverEachOther)
{
    // Two recordings of one name from different folders: the second is refused and the
    // first one's tagged copy stays.
    const auto recording = [](char sample) {
        QByteArray fmt("\x01\x00\x01\x00\x40\x1f\x00\x00\x80\x3e\x00\x00\x02\x00\x10\x00", 16);
        return QByteArray("RIFF\x28\x00\x00\x00WAVEfmt \x10\x00\x00\x00", 20) + fmt +
               QByteArray("data\x04\x00\x00\x00", 8) + QByteArray(4, sample);
    };
    QDir(dir.path()).mkpath(QStringLiteral("a"));
    QDir(dir.path()).mkpath(QStringLiteral("b"));
    QDir(dir.path()).mkpath(QStringLiteral("out"));
    const QString first = dir.filePath(QStringLiteral("a/x.wav"));
    const QString second = dir.filePath(QStringLiteral("b/x.wav"));
    testsupport::writeFile(first, recording('A'));
    testsupport::writeFile(second, recording('B'));
    const TRun r = run({"embed", "--sml", doc, "--output-dir", dir.filePath("out"), first, second});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith("orvane-tag: " + second.toUtf8())) << r.err.toStdString();
    const QByteArray out = testsupport::readFile(dir.filePath(QStringLiteral("out/x.wav")));
    EXPECT_TRUE(out.contains("AAAA"));
    EXPECT_TRUE(out.contains("SML "));
}

TEST_F(OrvaneTag, ShowsProgressOnlyOnATerminal)
{
    ORVANE_REQUIRE_CORPUS();
    const QString wav =
        testsupport::copyInto(testsupport::corpusDir() + "/wav/pcm16-stereo-plain.wav", dir);
    const QString jpg =
        testsupport::copyInto(testsupport::corpusDir() + "/jpg/com-hopper.jpg", dir);
    const TRun piped = run({"embed", "--sml", doc, wav, jpg});
    EXPECT_EQ(piped.status, 0);
    EXPECT_TRUE(piped.err.isEmpty()) << piped.err.constData();

    if (QStandardPaths::findExecutable(QStringLiteral("script")).isEmpty())
        GTEST_SKIP() << "script(1) not installed: no terminal to run in";
    // script runs the command on a pseudo-terminal and copies what it shows.
    QProcess terminal;
    terminal.start(
        QStringLiteral("script"),
        {QStringLiteral("-qec"),
         QStringLiteral("'%1' embed --sml '%2' '%3' '%4'").arg(ORVANE_TAG_PATH, doc, wav, jpg),
         QStringLiteral("/dev/null")});
    ASSERT_TRUE(terminal.waitForFinished(60000));
    EXPECT_EQ(terminal.exitCode(), 0);
    const QByteArray shown = terminal.readAllStandardOutput();
    EXPECT_TRUE(shown.contains("[1/2] " + wav.toUtf8())) << shown.constData();
    EXPECT_TRUE(shown.contains("[2/2] " + jpg.toUtf8())) << shown.constData();
}

TEST_F(OrvaneTag, ShowListsWhatItReadOfARefusedRecording)
{
    // An odd "data" chunk without its pad byte, then a tag cut short.
    const QByteArray body = "WAVEfmt " + QByteArray::fromHex("10000000010001004000000080000000") +
                            QByteArray::fromHex("01000800") + "data" +
                            QByteArray::fromHex("03000000808080") + "SML " +
                            QByteArray::fromHex("64000000") + "<KOVA";
    const QString wav = dir.filePath(QStringLiteral("cut.wav"));
    testsupport::writeFile(wav, "RIFF" + QByteArray::fromHex("34000000") + body);
    const TRun r = run({QStringLiteral("show"), QStringLiteral("--json"), wav});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith(("orvane-tag: " + wav + ": Chunk \"SML \" at offset 47").toUtf8()))
        << r.err.constData();
    const QJsonObject o = QJsonDocument::fromJson(r.out).array().at(0).toObject();
    EXPECT_TRUE(o[QStringLiteral("error")].toString().startsWith(QStringLiteral("Chunk \"SML \"")));
    QStringList chunks, notices;
    for (const QJsonValue &c : o[QStringLiteral("chunks")].toArray())
        chunks << c.toObject()[QStringLiteral("id")].toString();
    for (const QJsonValue &n : o[QStringLiteral("notices")].toArray())
        notices << n.toObject()[QStringLiteral("kind")].toString() + QLatin1Char(' ') +
                       n.toObject()[QStringLiteral("id")].toString();
    EXPECT_EQ(chunks, (QStringList{"fmt ", "data"}));
    EXPECT_EQ(notices, (QStringList{"missingPad data", "pastEnd SML "}));
    EXPECT_FALSE(o[QStringLiteral("hasSml")].toBool());
}

TEST_F(OrvaneTag, ExtractDecodesWindows1252AndDeclaresUtf8)
{
    // A recording tagged on Windows: the chunk holds Windows-1252 bytes.
    const QByteArray sml = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n"
                           "<KOVA_Station Op=\"J\xF6rg \x80\"/>";
    QByteArray body = "WAVEfmt " + QByteArray::fromHex("10000000010001004000000080000000010008") +
                      QByteArray(1, 0) + "data" + QByteArray::fromHex("0200000080") +
                      QByteArray(1, char(0x80)) + "SML " + QByteArray(1, char(sml.size())) +
                      QByteArray(3, 0) + sml;
    if (sml.size() % 2)
        body.append('\0');
    const QByteArray riff = "RIFF" + QByteArray(1, char(body.size() & 0xFF)) +
                            QByteArray(1, char(body.size() >> 8)) + QByteArray(2, 0) + body;
    const QString wav = dir.filePath(QStringLiteral("windows.wav"));
    testsupport::writeFile(wav, riff);
    const TRun r = run({QStringLiteral("extract"), wav});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(r.out, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                     "<KOVA_Station Op=\"J\xC3\xB6rg \xE2\x82\xAC\"/>");
}

} // namespace
