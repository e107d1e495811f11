// The window's WAV tagging: opening recordings with and without a station document,
// the Yes / No / Cancel answers, Tag && Save and Tag && SaveAs, refused saves after a
// failed open, interplay with the command-line tagger, and real recordings.
#include "app/WavJpgWindow.h"

#include "Riff/TRiffRW.h"
#include "media/MediaKind.h"
#include "media/TTagDocument.h"
#include "media/WavTagging.h"

#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QtEndian>

#include <optional>
#include <utility>
#include <vector>

using testsupport::readFile;
using testsupport::writeFile;

namespace
{

QByteArray Chunk(const char *id, const QByteArray &data)
{
    QByteArray out(id, 4);
    char size[4];
    qToLittleEndian<quint32>(static_cast<quint32>(data.size()), size);
    out.append(size, 4).append(data);
    if (data.size() % 2)
        out.append('\0');
    return out;
}

// A small recording: fmt, an odd data chunk, a LIST chunk and the extra chunks given.
QByteArray Recording(const QByteArray &extra = {})
{
    const QByteArray fmt = QByteArray::fromHex("01000100401f0000401f000001000800");
    QByteArray body = "WAVE" + Chunk("fmt ", fmt) + Chunk("data", QByteArray(101, '\x80')) +
                      Chunk("LIST", "INFOICMT\x04\0\0\0abc\0") + extra;
    return Chunk("RIFF", body);
}

// The chunks of a file in order, with their bytes.
std::vector<std::pair<QByteArray, QByteArray>> ChunksOf(const QString &file)
{
    const IRiffRW riff = CreateRiffRW();
    riff->LoadFromFile(file);
    std::vector<std::pair<QByteArray, QByteArray>> chunks;
    for (int i = 0; i < riff->GetChunkCount(); ++i)
        chunks.emplace_back(QByteArray(riff->GetChunkName(i).Data(), 4), riff->ReadChunk(i));
    return chunks;
}

// The document the file's "SML " chunk holds, as text; empty when it has none.
QString DocumentIn(const QString &file)
{
    const auto bytes = ReadWavStationBytes(file);
    return bytes ? DecodeEmbeddedText(*bytes) : QString();
}

class WavWorkflowTest : public WavJpgWindowTest
{
protected:
    // A recording in the scratch folder; with target, it carries that document.
    QString WriteRecording(const QString &name, const QString &target = {})
    {
        const QString path = PathOf(name);
        writeFile(path, Recording(target.isEmpty() ? QByteArray()
                                                   : Chunk("SML ", StationDocument(target))));
        return path;
    }
    // Opens path through the Open button; answer goes to the take-over question.
    void Open(const QString &path, std::optional<TModalResult> answer = {})
    {
        script->ChooseOpen(path);
        if (answer)
            script->Answer(*answer);
        Page().btnWaveFileOpen->click();
    }
    void SaveAs(const QString &path)
    {
        script->ChooseSave(path);
        Page().btnSaveAsWAV->click();
    }
};

} // namespace

TEST_F(WavWorkflowTest, ARecordingWithoutDocumentOpensReadyToTag)
{
    const QString wav = WriteRecording(QStringLiteral("plain.wav"));
    EXPECT_EQ(WavSaves(), AllSavesOff);
    Open(wav);
    EXPECT_EQ(window->StatusPanel(5), window->ShortName(wav) + QStringLiteral(" No SML"));
    EXPECT_TRUE(Page().ledWAVOpen->Lit());
    EXPECT_EQ(WavSaves(), AllSavesOn);
    EXPECT_EQ(Page().edWAVFileName->text(), window->ShortName(wav));
    EXPECT_EQ(script->Asked().front().Spec.Title, QStringLiteral("WAV File to modify"));
    EXPECT_EQ(script->Asked().front().Spec.Filter, QStringLiteral("Wav Files (*.wav)|*.wav"));

    Page().edTargetName->setText(QStringLiteral("Vega"));
    const auto before = ChunksOf(wav);
    Page().btnSaveWAV->click();
    EXPECT_EQ(window->StatusPanel(5), QStringLiteral("... WAV save complete"));
    EXPECT_TRUE(Page().gbWavFile->isEnabled());

    // The document went in as the last chunk, every other chunk unchanged; its bytes are
    // the raw XML page's text with CR LF, nothing more.
    auto after = ChunksOf(wav);
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(after.back().first, QByteArray("SML "));
    EXPECT_EQ(after.back().second, EncodeEmbeddedText(window->moSML->toPlainText()));
    EXPECT_TRUE(after.back().second.contains("TargetName=\"Vega\"\r\n") ||
                after.back().second.contains("TargetName=\"Vega\""));
    after.pop_back();
    EXPECT_EQ(after, before);
    // The file list records the recording.
    EXPECT_EQ(window->TitleBlockNode->Get_Files()->Get_WAV(), wav);
}

TEST_F(WavWorkflowTest, TheAnswerDecidesAboutDocumentLightAndSaves)
{
    const struct {
        TModalResult Answer;
        QString TargetAfter;
        bool Lit;
        TSaves Saves;
    } cases[] = {
        {TModalResult::Yes, QStringLiteral("Vega"), true, AllSavesOn},
        {TModalResult::No, QStringLiteral("Deneb"), true, AllSavesOn},
        {TModalResult::Cancel, QStringLiteral("Deneb"), false, AllSavesOff},
    };
    const QString wav = WriteRecording(QStringLiteral("tagged.wav"), QStringLiteral("Vega"));
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Answer));
        window->LoadDefaultSML();
        Page().edTargetName->setText(QStringLiteral("Deneb"));
        window->CollectSequence();
        // The JPG saves are on to show that taking over a document switches them off.
        window->StationPage->btnSaveJPG->setEnabled(true);
        Open(wav, c.Answer);
        EXPECT_EQ(NewMessages(), std::vector<QString>{TakeOverQuestion(window->ShortName(wav))});
        EXPECT_EQ(script->Asked().back().Buttons, TMsgDlgButtons::YesNoCancel);
        EXPECT_EQ(script->Asked().back().Type, TMsgDlgType::None);
        EXPECT_EQ(Target(), c.TargetAfter);
        EXPECT_EQ(DocumentTarget(), c.TargetAfter);
        EXPECT_EQ(Page().ledWAVOpen->Lit(), c.Lit);
        EXPECT_EQ(WavSaves(), c.Saves);
        // A document taken over leaves the open notification's text standing; otherwise
        // panel 1 keeps what the last SML command put there.
        EXPECT_EQ(window->StatusPanel(1), c.Answer == TModalResult::Yes
                                              ? QStringLiteral("Doc Now Open")
                                              : QStringLiteral("SML is Active"));
        EXPECT_EQ(Page().edWAVFileName->text(), window->ShortName(wav));
        EXPECT_EQ(Page().btnSaveJPG->isEnabled(), c.Answer != TModalResult::Yes);
        if (c.Answer == TModalResult::Yes) {
            EXPECT_TRUE(window->moSML->toPlainText().contains(QStringLiteral("Vega")));
        }
    }
    // After Cancel nothing is loaded: a save is refused and the recording stays as it was.
    const QByteArray bytes = readFile(wav);
    script->Answer(TModalResult::OK);
    EXPECT_FALSE(window->SaveWAV(wav));
    EXPECT_EQ(NewMessages(), std::vector<QString>{QStringLiteral("No WAVRiff...")});
    EXPECT_EQ(readFile(wav), bytes);
    EXPECT_TRUE(Page().gbWavFile->isEnabled());
}

TEST_F(WavWorkflowTest, SaveAndSaveAsRoundTrip)
{
    const QString wav = WriteRecording(QStringLiteral("night.wav"), QStringLiteral("Vega"));
    const QString copy = PathOf(QStringLiteral("copy.wav"));
    Open(wav, TModalResult::Yes);

    Page().edTargetName->setText(QStringLiteral("Altair"));
    SaveAs(copy);
    EXPECT_EQ(Page().edWAVFileName->text(), window->ShortName(copy));
    EXPECT_EQ(window->StatusPanel(5), QStringLiteral("... WAV save complete"));
    EXPECT_TRUE(DocumentIn(copy).contains(QStringLiteral("TargetName=\"Altair\"")));
    EXPECT_TRUE(DocumentIn(wav).contains(QStringLiteral("TargetName=\"Vega\"")));

    // Tag && Save goes to the file opened, not to the Save As target; twice leaves one chunk.
    Page().edTargetName->setText(QStringLiteral("Deneb"));
    Page().btnSaveWAV->click();
    Page().btnSaveWAV->click();
    EXPECT_EQ(Page().edWAVFileName->text(), window->ShortName(wav));
    const auto chunks = ChunksOf(wav);
    int documents = 0;
    for (const auto &c : chunks)
        documents += c.first == "SML ";
    EXPECT_EQ(documents, 1);
    EXPECT_EQ(chunks.back().first, QByteArray("SML "));
    EXPECT_TRUE(DocumentIn(copy).contains(QStringLiteral("TargetName=\"Altair\"")));

    // Reopened and answered Yes, each file gives its saved document back.
    for (const auto &[file, target] :
         {std::pair{copy, QStringLiteral("Altair")}, std::pair{wav, QStringLiteral("Deneb")}}) {
        window->LoadDefaultSML();
        Open(file, TModalResult::Yes);
        EXPECT_EQ(Target(), target);
        EXPECT_EQ(window->TitleBlockNode->Get_Files()->Get_WAV(), file);
    }
}

TEST_F(WavWorkflowTest, AnOpenThatFailsLeavesNothingToSave)
{
    const QByteArray noData = Chunk("RIFF", "WAVE" + Chunk("fmt ", QByteArray(16, '\1')));
    const struct {
        const char *Name;
        QByteArray Bytes; // empty: the file does not exist
        QString Status;   // %1: short display name
        std::vector<QString> Messages;
    } cases[] = {
        {"no-data.wav",
         noData,
         QStringLiteral("Corrupt file: %1"),
         {QStringLiteral("This WAV File is corrupt...")}},
        {"text.wav", "not a recording at all", QStringLiteral("Error Loading file."), {}},
        {"cut.wav", Recording().left(30), QStringLiteral("Error Loading file."), {}},
        {"missing.wav", {}, QStringLiteral("Error Loading file."), {}},
    };
    const QString good = WriteRecording(QStringLiteral("good.wav"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        Open(good);
        ASSERT_EQ(WavSaves(), AllSavesOn);
        const QString path = PathOf(QString::fromLatin1(c.Name));
        if (!c.Bytes.isEmpty())
            writeFile(path, c.Bytes);
        NewMessages();
        script->ChooseOpen(path);
        for (std::size_t i = 0; i < c.Messages.size(); ++i)
            script->Answer(TModalResult::OK);
        Page().btnWaveFileOpen->click();
        EXPECT_EQ(window->StatusPanel(5), c.Status.contains(QLatin1String("%1"))
                                              ? c.Status.arg(window->ShortName(path))
                                              : c.Status);
        EXPECT_EQ(NewMessages(), c.Messages);
        EXPECT_FALSE(Page().ledWAVOpen->Lit());
        EXPECT_EQ(WavSaves(), AllSavesOff);
        // Even reached some other way, the save replaces nothing with a tag-only file.
        script->Answer(TModalResult::OK);
        EXPECT_FALSE(window->SaveWAV(good));
        EXPECT_EQ(NewMessages(), std::vector<QString>{QStringLiteral("No WAVRiff...")});
        EXPECT_EQ(ChunksOf(good).size(), 3u);
        if (!c.Bytes.isEmpty()) {
            EXPECT_EQ(readFile(path), c.Bytes);
        }
    }
}

TEST_F(WavWorkflowTest, SaveWithoutChosenFileWritesNothingAndEmptiesTheName)
{
    window->mnuTagSaveWAV->setEnabled(true);
    window->mnuTagSaveWAV->trigger();
    EXPECT_EQ(Page().edWAVFileName->text(), QString());
    EXPECT_TRUE(script->Asked().empty());

    // A cancelled Save As changes nothing either.
    const QString wav = WriteRecording(QStringLiteral("plain.wav"));
    Open(wav);
    SaveAs(QString());
    EXPECT_EQ(ChunksOf(wav).size(), 3u);
}

TEST_F(WavWorkflowTest, AFailedWriteIsReportedAndLeavesTheFilesAlone)
{
    const QString wav = WriteRecording(QStringLiteral("plain.wav"));
    const QByteArray bytes = readFile(wav);
    Open(wav);
    NewMessages();
    script->ChooseSave(PathOf(QStringLiteral("no-such-folder/out.wav"))).Answer(TModalResult::OK);
    Page().btnSaveAsWAV->click();
    ASSERT_EQ(script->Asked().back().Type, TMsgDlgType::Error);
    EXPECT_EQ(readFile(wav), bytes);
    EXPECT_FALSE(QFileInfo::exists(PathOf(QStringLiteral("no-such-folder"))));
    EXPECT_NE(window->StatusPanel(5), QStringLiteral("... WAV save complete"));
    // The group is usable again: the recording is still loaded and can be saved.
    EXPECT_TRUE(Page().gbWavFile->isEnabled());
    Page().btnSaveWAV->click();
    EXPECT_EQ(window->StatusPanel(5), QStringLiteral("... WAV save complete"));
}

TEST_F(WavWorkflowTest, ATakenOverDocumentIsNeverWrittenBackAtClose)
{
    // The SML file stays the one to open next time, but the document taken over from the
    // recording, even when changed, goes into neither the SML file nor the recording.
    const QString sml = PathOf(QStringLiteral("station.xml"));
    writeFile(sml, StationDocument(QStringLiteral("Deneb")));
    const QString wav = WriteRecording(QStringLiteral("tagged.wav"), QStringLiteral("Vega"));
    ExpectTakeOverNeverWrittenBackAtClose(sml, wav, [&] { Open(wav, TModalResult::Yes); });
}

TEST_F(WavWorkflowTest, ADocumentThatDoesNotParseIsReportedAndClosesTheDocument)
{
    const QString wav = PathOf(QStringLiteral("broken.wav"));
    writeFile(wav, Recording(Chunk("SML ", "<KOVA_Station><TitleBlock>")));
    script->ChooseOpen(wav).Answer(TModalResult::Yes).Answer(TModalResult::OK);
    Page().btnWaveFileOpen->click();
    ASSERT_EQ(script->Asked().size(), 3u);
    EXPECT_EQ(script->Asked().back().Type, TMsgDlgType::Error);
    EXPECT_FALSE(window->docSML->Active());
    EXPECT_FALSE(Page().gbWavFile->isEnabled());
}

TEST_F(WavWorkflowTest, AForeignDocumentTakenOverIsNeverSavedAsTheStationDocument)
{
    // The chunk holds some other XML document: taking it over loads it but cannot bind it,
    // so the pages keep showing the station document. An SML save must not then write the
    // foreign document over the SML file, nor anywhere else, and call it complete.
    const QString sml = PathOf(QStringLiteral("station.xml"));
    writeFile(sml, StationDocument(QStringLiteral("Deneb")));
    script->ChooseOpen(sml);
    window->btnOpenSMLFile->click();
    const QString wav = PathOf(QStringLiteral("foreign.wav"));
    writeFile(wav, Recording(Chunk("SML ", "<Other/>")));
    script->ChooseOpen(wav).Answer(TModalResult::Yes).Answer(TModalResult::OK);
    Page().btnWaveFileOpen->click();
    ASSERT_EQ(script->Asked().back().Type, TMsgDlgType::Error);
    ASSERT_EQ(Target(), QStringLiteral("Deneb"));

    script->Answer(TModalResult::OK);
    window->btnSMLSave->click();
    EXPECT_EQ(script->Asked().back().Type, TMsgDlgType::Error);
    EXPECT_EQ(window->StatusPanel(1), QStringLiteral("... SAVE working..."));
    EXPECT_EQ(readFile(sml), StationDocument(QStringLiteral("Deneb")));

    const QString copy = PathOf(QStringLiteral("copy.xml"));
    script->ChooseSave(copy).Answer(TModalResult::OK);
    window->btnSMLSaveAs->click();
    EXPECT_EQ(script->Asked().back().Type, TMsgDlgType::Error);
    EXPECT_EQ(window->StatusPanel(1), QStringLiteral("... SaveAs working..."));
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_EQ(window->FSMLFileName, sml);
}

TEST_F(WavWorkflowTest, DocumentsTaggedOnWindowsReadBackInWindows1252)
{
    QByteArray document = StationDocument(QStringLiteral("Z\u00fcrich"));
    document.replace("Z\xc3\xbcrich", "Z\xfcrich");
    document.replace(R"( encoding="UTF-8")", "");
    document.replace(R"( encoding="utf-8")", "");
    const QString wav = PathOf(QStringLiteral("windows.wav"));
    writeFile(wav, Recording(Chunk("SML ", document)));
    Open(wav, TModalResult::Yes);
    EXPECT_EQ(Target(), QStringLiteral("Z\u00fcrich"));
}

// --- The command-line tagger and the window write and read the same tags ---

TEST_F(WavWorkflowTest, TheWindowAndTheCommandLineTaggerReadEachOthersTags)
{
    // A recording tagged the way orvane-tag embed does opens with the same document.
    const QString sml = PathOf(QStringLiteral("station.xml"));
    writeFile(sml, StationDocument(QStringLiteral("Capella")));
    const QString source = WriteRecording(QStringLiteral("source.wav"));
    const QString tagged = PathOf(QStringLiteral("tagged.wav"));
    TTagDocument document(sml);
    const QString text = document.TextFor(TMediaKind::Wav, tagged);
    TagWavFile(source, tagged, text);
    Open(tagged, TModalResult::Yes);
    TXMLDocument embedded;
    embedded.LoadFromXML(text);
    EXPECT_EQ(window->docSML->SaveToXML(), embedded.SaveToXML());
    EXPECT_EQ(Target(), QStringLiteral("Capella"));

    // What the window writes is what the tagger's extract reads back.
    Page().edTargetName->setText(QStringLiteral("Rigel"));
    Page().btnSaveWAV->click();
    QString written = window->moSML->toPlainText();
    EXPECT_EQ(DocumentIn(tagged), written.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

// --- Real recordings ---

TEST_F(WavWorkflowTest, RealRecordingsKeepTheirAudioAfterTagging)
{
    ORVANE_REQUIRE_CORPUS();
    const QString ffprobe = QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
    const auto probe = [&ffprobe](const QString &file) {
        QProcess run;
        run.start(ffprobe,
                  {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
                   QStringLiteral("format=duration:stream=codec_name,sample_rate,"
                                  "channels,duration_ts"),
                   file});
        run.waitForFinished(30000);
        return std::pair{run.exitCode(), run.readAllStandardOutput()};
    };
    int tagged = 0;
    for (const QString &original : testsupport::corpusFiles(QStringLiteral("wav"))) {
        SCOPED_TRACE(original.toStdString());
        QTemporaryDir scratch;
        const QString wav = testsupport::copyInto(original, scratch);
        const QByteArray bytes = readFile(wav);
        Open(wav);
        if (WavSaves() == AllSavesOff) {
            // Refused as unreadable or corrupt: the file is left as it was.
            NewMessages();
            EXPECT_EQ(readFile(wav), bytes);
            continue;
        }
        Page().btnSaveWAV->click();
        ASSERT_EQ(window->StatusPanel(5), QStringLiteral("... WAV save complete"));
        ++tagged;
        EXPECT_FALSE(DocumentIn(wav).isEmpty());
        // ffprobe takes an empty data chunk to run to the end of the file: not compared.
        const IRiffRW riff = CreateRiffRW();
        riff->LoadFromFile(original);
        if (ffprobe.isEmpty() || riff->ChunkSize(riff->IndexOf(TFourCC("data"))) == 0)
            continue;
        const auto before = probe(original);
        if (before.first != 0)
            continue;
        EXPECT_EQ(probe(wav), before);
    }
    EXPECT_GT(tagged, 0);
    if (ffprobe.isEmpty())
        GTEST_SKIP() << "ffprobe not installed: the tagged recordings were not probed";
}

TEST_F(WavWorkflowTest, ADocumentDeclaringAnotherEncodingReadsBackUnchanged)
{
    QByteArray document = StationDocument(QStringLiteral("Z\u00fcrich"));
    const qsizetype end = document.indexOf("?>");
    ASSERT_GT(end, 0);
    document = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + document.mid(end + 2);
    document.replace("Z\xc3\xbcrich", "Z\xfcrich");
    const QString sml = PathOf(QStringLiteral("latin1.xml"));
    writeFile(sml, document);
    window->OpenSML(sml);
    ASSERT_EQ(Target(), QStringLiteral("Z\u00fcrich"));
    const QString wav = WriteRecording(QStringLiteral("plain.wav"));
    Open(wav);
    Page().btnSaveWAV->click();
    window->LoadDefaultSML();
    Open(wav, TModalResult::Yes);
    EXPECT_EQ(Target(), QStringLiteral("Z\u00fcrich"));
}
