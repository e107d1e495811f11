// The window's JPG tagging: opening pictures with and without a station document, the
// preview, the Yes / No / Cancel answers, Tag && Save and Tag && SaveAs, comments that
// accumulate, refused saves, the command-line tagger's tags, and real pictures.
#include "app/WavJpgWindow.h"

#include "media/JpegDecode.h"
#include "media/JpgStationDocument.h"
#include "media/JpgTagging.h"
#include "media/MediaKind.h"
#include "media/TTagDocument.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QSettings>

#include <optional>

using testsupport::readFile;
using testsupport::writeFile;

namespace
{

const QString NoPictureNotice =
    QStringLiteral("No JPG picture is loaded: open the JPG file again to tag it.\r\nNothing "
                   "was saved.");

// A small picture with a colour gradient, as JPEG bytes.
QByteArray Picture()
{
    QImage image(40, 30, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, QColor(x * 6, y * 8, 128));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "JPG"));
    return bytes;
}

// The station document the picture file carries, as text; empty when none.
QString DocumentIn(const QString &file)
{
    const auto found = ReadJpgStationDocument(file);
    return found ? found->Text : QString();
}

class JpgWorkflowTest : public WavJpgWindowTest
{
protected:
    // A picture in the scratch folder; with target, tagged with that document.
    QString WritePicture(const QString &name, const QString &target = {})
    {
        const QString path = PathOf(name);
        writeFile(path, Picture());
        if (!target.isEmpty())
            TagJpgFile(path, path, QString::fromUtf8(StationDocument(target)));
        return path;
    }
    // Opens path through the Open button; answer goes to the take-over question.
    void Open(const QString &path, std::optional<TModalResult> answer = {})
    {
        script->ChooseOpen(path);
        if (answer)
            script->Answer(*answer);
        Page().btnJPGFileOpen->click();
    }
    void SaveAs(const QString &path)
    {
        script->ChooseSave(path);
        Page().btnSaveAsJPG->click();
    }
};

} // namespace

TEST_F(JpgWorkflowTest, APictureWithoutDocumentOpensShowsAndTagsOnce)
{
    const QString jpg = WritePicture(QStringLiteral("plain.jpg"));
    EXPECT_EQ(JpgSaves(), AllSavesOff);
    Open(jpg);
    EXPECT_EQ(script->Asked().front().Spec.Title, QStringLiteral("JPG FIle to Open"));
    EXPECT_EQ(window->StatusPanel(5), window->ShortName(jpg) + QStringLiteral(" No SML"));
    EXPECT_TRUE(Page().ledJPGOpen->Lit());
    EXPECT_EQ(JpgSaves(), AllSavesOn);
    EXPECT_EQ(Page().edJPGFileName->text(), window->ShortName(jpg));
    EXPECT_EQ(Page().JvImage1->pixmap().size(), QSize(181, 137));

    const QString copy = PathOf(QStringLiteral("copy.jpg"));
    Page().edTargetName->setText(QStringLiteral("Vega"));
    SaveAs(copy);
    EXPECT_EQ(window->StatusPanel(2), QStringLiteral("File Does Not Exist so creating"));
    EXPECT_EQ(window->StatusPanel(5), QStringLiteral("... JPG save complete"));
    EXPECT_EQ(Page().edJPGFileName->text(), window->ShortName(copy));
    EXPECT_TRUE(Page().gbJPGFile->isEnabled());
    QString page = window->moSML->toPlainText();
    EXPECT_EQ(DocumentIn(copy), page.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
    EXPECT_TRUE(DocumentIn(copy).contains(QStringLiteral("TargetName=\"Vega\"")));
    EXPECT_EQ(window->TitleBlockNode->Get_Files()->Get_JPG(), copy);
    EXPECT_EQ(DecodeJpeg(readFile(copy)), DecodeJpeg(readFile(jpg)));
    EXPECT_EQ(readFile(jpg), Picture());

    // The picture went into that file: another save has nothing to write.
    EXPECT_EQ(JpgSaves(), AllSavesOff);
    const QByteArray written = readFile(copy);
    script->Answer(TModalResult::OK);
    EXPECT_FALSE(window->SaveJPG(copy));
    EXPECT_EQ(NewMessages(), std::vector<QString>{NoPictureNotice});
    EXPECT_EQ(readFile(copy), written);
    EXPECT_TRUE(Page().gbJPGFile->isEnabled());
}

TEST_F(JpgWorkflowTest, TheAnswerDecidesAboutDocumentLightAndSaves)
{
    const struct {
        TModalResult Answer;
        QString TargetAfter;
        bool Lit;
        TSaves Saves;
        QString NameBox; // empty: the picture's short name
    } cases[] = {
        // Yes shows the JPG name the taken-over document records.
        {TModalResult::Yes, QStringLiteral("Vega"), true, AllSavesOn,
         QStringLiteral("http://www.example.org/station/observation")},
        {TModalResult::No, QStringLiteral("Deneb"), true, AllSavesOn, {}},
        {TModalResult::Cancel, QStringLiteral("Deneb"), false, AllSavesOff,
         QStringLiteral("No JPG Selected")},
    };
    const QString jpg = WritePicture(QStringLiteral("tagged.jpg"), QStringLiteral("Vega"));
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Answer));
        window->LoadDefaultSML();
        Page().edTargetName->setText(QStringLiteral("Deneb"));
        window->CollectSequence();
        Page().btnSaveWAV->setEnabled(true);
        Open(jpg, c.Answer);
        EXPECT_EQ(NewMessages(), std::vector<QString>{TakeOverQuestion(window->ShortName(jpg))});
        EXPECT_EQ(script->Asked().back().Buttons, TMsgDlgButtons::YesNoCancel);
        EXPECT_EQ(Target(), c.TargetAfter);
        EXPECT_EQ(DocumentTarget(), c.TargetAfter);
        EXPECT_EQ(Page().ledJPGOpen->Lit(), c.Lit);
        EXPECT_EQ(JpgSaves(), c.Saves);
        // A document taken over leaves the open notification's text standing; otherwise
        // panel 1 keeps what the last SML command put there.
        EXPECT_EQ(window->StatusPanel(1), c.Answer == TModalResult::Yes
                                              ? QStringLiteral("Doc Now Open")
                                              : QStringLiteral("SML is Active"));
        EXPECT_EQ(Page().edJPGFileName->text(),
                  c.NameBox.isEmpty() ? window->ShortName(jpg) : window->ShortName(c.NameBox));
        EXPECT_EQ(Page().btnSaveWAV->isEnabled(), c.Answer != TModalResult::Yes);
        // The preview shows the picture whatever the answer.
        EXPECT_FALSE(Page().JvImage1->pixmap().isNull());
    }
    // After Cancel no picture is held: a save is refused, nothing is written.
    const QByteArray bytes = readFile(jpg);
    script->Answer(TModalResult::OK);
    EXPECT_FALSE(window->SaveJPG(jpg));
    EXPECT_EQ(NewMessages(), std::vector<QString>{NoPictureNotice});
    EXPECT_EQ(readFile(jpg), bytes);
}

TEST_F(JpgWorkflowTest, CommentsAccumulateAndTheNewestIsOffered)
{
    const QString jpg = WritePicture(QStringLiteral("night.jpg"), QStringLiteral("Vega"));
    for (const QString &target : {QStringLiteral("Altair"), QStringLiteral("Deneb")}) {
        Open(jpg, TModalResult::No);
        Page().edTargetName->setText(target);
        Page().btnSaveJPG->click();
        EXPECT_EQ(window->StatusPanel(2), QStringLiteral("File Exists.  "));
        EXPECT_EQ(window->StatusPanel(5), QStringLiteral("... JPG save complete"));
        EXPECT_EQ(Page().edJPGFileName->text(), window->ShortName(jpg));
    }
    const QByteArray bytes = readFile(jpg);
    for (const char *target : {"Vega", "Altair", "Deneb"})
        EXPECT_TRUE(bytes.contains(QByteArray("TargetName=\"") + target + '"')) << target;
    EXPECT_EQ(DecodeJpeg(bytes), DecodeJpeg(Picture()));

    window->LoadDefaultSML();
    Open(jpg, TModalResult::Yes);
    EXPECT_EQ(Target(), QStringLiteral("Deneb"));
    EXPECT_EQ(window->TitleBlockNode->Get_Files()->Get_JPG(), jpg);
}

TEST_F(JpgWorkflowTest, ATakenOverDocumentIsNeverWrittenBackAtClose)
{
    // The SML file stays the one to open next time, but the document taken over from the
    // picture, even when changed, goes into neither the SML file nor the picture.
    const QString sml = PathOf(QStringLiteral("station.xml"));
    writeFile(sml, StationDocument(QStringLiteral("Deneb")));
    const QString jpg = WritePicture(QStringLiteral("tagged.jpg"), QStringLiteral("Vega"));
    ExpectTakeOverNeverWrittenBackAtClose(sml, jpg, [&] { Open(jpg, TModalResult::Yes); });
}

TEST_F(JpgWorkflowTest, SaveWithoutChosenFileWritesNothingAndEmptiesTheName)
{
    window->mnuTagSaveJPG->setEnabled(true);
    window->mnuTagSaveJPG->trigger();
    EXPECT_EQ(Page().edJPGFileName->text(), QString());
    EXPECT_TRUE(script->Asked().empty());
}

TEST_F(JpgWorkflowTest, AnOpenThatFailsLeavesNothingToSave)
{
    const QString good = WritePicture(QStringLiteral("good.jpg"));
    const QString text = PathOf(QStringLiteral("text.jpg"));
    writeFile(text, "no picture here");
    const QString cut = PathOf(QStringLiteral("cut.jpg"));
    writeFile(cut, Picture().left(20));
    const struct {
        QString Path;
        TMsgDlgType Type;
        QString Message; // empty: any (the decoder's reason)
    } cases[] = {
        {PathOf(QStringLiteral("missing.jpg")), TMsgDlgType::None,
         QStringLiteral("missing.jpg is invalid or not a recognized JPG format")},
        {text, TMsgDlgType::Error, {}},
        {cut, TMsgDlgType::Error, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Path.toStdString());
        Open(good);
        ASSERT_EQ(JpgSaves(), AllSavesOn);
        NewMessages();
        script->ChooseOpen(c.Path).Answer(TModalResult::OK);
        Page().btnJPGFileOpen->click();
        const std::vector<QString> shown = NewMessages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(script->Asked().back().Type, c.Type);
        if (!c.Message.isEmpty()) {
            EXPECT_EQ(shown.front(), c.Message);
        }
        EXPECT_FALSE(Page().ledJPGOpen->Lit());
        EXPECT_EQ(JpgSaves(), AllSavesOff);
        script->Answer(TModalResult::OK);
        EXPECT_FALSE(window->SaveJPG(good));
        EXPECT_EQ(NewMessages(), std::vector<QString>{NoPictureNotice});
        EXPECT_EQ(readFile(good), Picture());
    }
}

TEST_F(JpgWorkflowTest, TheWindowAndTheCommandLineTaggerReadEachOthersTags)
{
    const QString sml = PathOf(QStringLiteral("station.xml"));
    writeFile(sml, StationDocument(QStringLiteral("Capella")));
    const QString source = WritePicture(QStringLiteral("source.jpg"));
    const QString tagged = PathOf(QStringLiteral("tagged.jpg"));
    TTagDocument document(sml);
    const QString text = document.TextFor(TMediaKind::Jpg, tagged);
    TagJpgFile(source, tagged, text);
    Open(tagged, TModalResult::Yes);
    TXMLDocument embedded;
    embedded.LoadFromXML(text);
    EXPECT_EQ(window->docSML->SaveToXML(), embedded.SaveToXML());
    EXPECT_EQ(Target(), QStringLiteral("Capella"));

    Page().edTargetName->setText(QStringLiteral("Rigel"));
    Page().btnSaveJPG->click();
    QString written = window->moSML->toPlainText();
    EXPECT_EQ(DocumentIn(tagged), written.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

// --- Real pictures ---

TEST_F(JpgWorkflowTest, CameraPicturesWithoutDocumentOpenAsNoSML)
{
    ORVANE_REQUIRE_CORPUS();
    // A plain comment, FF FE bytes inside EXIF or ICC data: none of them is a document.
    for (const char *name : {"com-hopper.jpg", "com-exif-thumb-fffe.jpg",
                             "icc-multichunk-progressive.jpg", "exif-ffd9-fffe-bytes.jpg"}) {
        SCOPED_TRACE(name);
        const QString jpg =
            testsupport::corpusDir() + QStringLiteral("/jpg/") + QString::fromLatin1(name);
        Open(jpg);
        EXPECT_EQ(window->StatusPanel(5), window->ShortName(jpg) + QStringLiteral(" No SML"));
        EXPECT_EQ(JpgSaves(), AllSavesOn);
        EXPECT_TRUE(NewMessages().empty());
    }
}

TEST_F(JpgWorkflowTest, RealPicturesDecodeToTheSamePixelsAfterTagging)
{
    ORVANE_REQUIRE_CORPUS();
    int tagged = 0;
    for (const QString &original : testsupport::corpusFiles(QStringLiteral("jpg"))) {
        SCOPED_TRACE(original.toStdString());
        QTemporaryDir scratch;
        const QString jpg = testsupport::copyInto(original, scratch);
        const QByteArray bytes = readFile(jpg);
        QImage before;
        try {
            before = DecodeJpeg(bytes);
        } catch (const std::exception &) {
            // Not shown, so not tagged: reported, and the file is left alone.
            script->ChooseOpen(jpg).Answer(TModalResult::OK);
            Page().btnJPGFileOpen->click();
            EXPECT_EQ(script->Asked().back().Type, TMsgDlgType::Error);
            EXPECT_EQ(JpgSaves(), AllSavesOff);
            EXPECT_EQ(readFile(jpg), bytes);
            continue;
        }
        Open(jpg);
        ASSERT_EQ(JpgSaves(), AllSavesOn);
        Page().btnSaveJPG->click();
        ASSERT_EQ(window->StatusPanel(5), QStringLiteral("... JPG save complete"));
        ++tagged;
        EXPECT_EQ(DecodeJpeg(readFile(jpg)), before);
        EXPECT_FALSE(DocumentIn(jpg).isEmpty());
    }
    EXPECT_GT(tagged, 0);
}
