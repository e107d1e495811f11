// The main window: start-up with its settings, the SML file commands and their enabling,
// the raw XML page, the document notifications, hints, print, close with auto-save.
#include "app/ErrorReport.h"
#include "app/GroupColour.h"
#include "app/TBlockDiagram.h"
#include "app/TQtUserDialogs.h"
#include "app/TScriptedDialogs.h"
#include "app/TfrmOrvane.h"
#include "editor/TIndicatorLight.h"
#include "editor/TNumericEntry.h"
#include "editor/TStationPage.h"
#include "sml/FormatXMLData.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolTip>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

// Readable failure messages for texts.
void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

using testsupport::readFile;
using testsupport::writeFile;

namespace
{

const QString Title = QStringLiteral("K O V A   O r v a n e");

// The default document with some values replaced, as an SML file's bytes.
QByteArray SampleDocument(const std::vector<std::pair<QByteArray, QByteArray>> &changes = {})
{
    QByteArray bytes = GeneratedSML();
    bytes.replace(R"(TargetName="String")", R"(TargetName="Vega")");
    bytes.replace(R"(Latitude="3.14159E0")", R"(Latitude="51.4778")");
    for (const auto &[from, to] : changes)
        bytes.replace(from, to);
    return bytes;
}

// The attribute's text on a child of the title block in an SML file; empty when absent.
QString AttributeIn(const QString &file, const QString &element, const QString &attribute)
{
    TXMLDocument doc;
    doc.LoadFromFile(file);
    const IXMLNode title =
        doc.DocumentElement()->ChildNodes()->FindNode(QStringLiteral("TitleBlock"));
    const IXMLNode found = title ? title->ChildNodes()->FindNode(element) : IXMLNode();
    return found ? found->GetAttribute(attribute).value_or(QString()) : QString();
}

QSettings ReadSettings(const QString &file)
{
    return QSettings(file, QSettings::IniFormat);
}

class MainWindowTest : public ::testing::Test
{
protected:
    QString SettingsFile() const { return FDir.filePath(QStringLiteral("Orvane.conf")); }
    QString PathOf(const QString &name) const { return FDir.filePath(name); }

    // An SML file in the scratch folder.
    QString WriteDocument(const QString &name, const QByteArray &bytes = SampleDocument())
    {
        const QString path = PathOf(name);
        writeFile(path, bytes);
        return path;
    }

    // Creates the window; prepare queues the answers its start-up will ask for.
    TfrmOrvane &Start(const std::function<void(TScriptedDialogs &)> &prepare = {})
    {
        Stop();
        auto dialogs = std::make_unique<TScriptedDialogs>();
        if (prepare)
            prepare(*dialogs);
        script = dialogs.get();
        window = std::make_unique<TfrmOrvane>(std::move(dialogs), SettingsFile());
        return *window;
    }

    // Opens path through the Open command.
    void OpenThroughDialog(const QString &path)
    {
        script->ChooseOpen(path);
        window->btnOpenSMLFile->click();
    }

    // Destroys the window (and its dialogs) without closing it.
    void Stop()
    {
        if (script) {
            EXPECT_TRUE(script->Finished()) << "a scripted answer was never asked for";
        }
        window.reset();
        script = nullptr;
    }

    void TearDown() override { Stop(); }

    QTemporaryDir FDir;
    std::unique_ptr<TfrmOrvane> window;
    TScriptedDialogs *script = nullptr;
};

struct TSaveEnabling {
    bool Button;
    bool Menu;
    bool SaveAs;
};

void ExpectSaveEnabling(const TfrmOrvane &w, TSaveEnabling expected)
{
    EXPECT_EQ(w.btnSMLSave->isEnabled(), expected.Button);
    EXPECT_EQ(w.mnuSaveSML->isEnabled(), expected.Menu);
    EXPECT_EQ(w.btnSMLSaveAs->isEnabled(), expected.SaveAs);
}

} // namespace

// --- The general error report ---

TEST(ErrorReportText, AppendsAFullStopAfterCharactersAboveIt)
{
    const struct {
        const char *Message;
        const char *Shown;
    } cases[] = {
        {"File not found", "File not found."},
        {"Stream read error.", "Stream read error."},
        {"Really?", "Really?."},
        {"ends in a dash -", "ends in a dash -"},    // '-' is 45
        {"ends in a slash /", "ends in a slash /."}, // '/' is 47
        {"Line: 3\r\n<a>", "Line: 3\r\n<a>."},
        {"Grüße", "Grüße."},
        {"", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Message);
        EXPECT_EQ(ErrorReportText(std::runtime_error(c.Message)), QString::fromUtf8(c.Shown));
    }
}

TEST(ErrorReportText, ShowsTheInnermostNestedError)
{
    try {
        try {
            throw std::runtime_error("Element \"Target\" does not contain a single text node");
        } catch (...) {
            std::throw_with_nested(std::runtime_error("Loading the WAV file failed"));
        }
    } catch (const std::exception &e) {
        EXPECT_EQ(ErrorReportText(e),
                  QStringLiteral("Element \"Target\" does not contain a single text node."));
    }
}

TEST(QtFileFilter, TurnsDescriptionPatternPairsIntoQtFilters)
{
    const struct {
        const char *Filter;
        const char *Qt;
    } cases[] = {
        {"XML Files (*.xml)|*.xml|SML Files (*.sml)|*.sml", "XML Files (*.xml);;SML Files (*.sml)"},
        {"Wav Files|*.wav", "Wav Files (*.wav)"},
        {"Pictures|*.jpg;*.jpeg", "Pictures (*.jpg *.jpeg)"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(QtFileFilter(QString::fromUtf8(c.Filter)), QString::fromUtf8(c.Qt));
}

// --- Start-up ---

TEST_F(MainWindowTest, FirstRunOpensTheDefaultDocumentAndCreatesTheSettings)
{
    TfrmOrvane &w = Start();
    EXPECT_EQ(w.pos(), QPoint(40, 312));
    EXPECT_EQ(w.windowTitle(), Title + QStringLiteral(" (64 Bit)"));
    EXPECT_EQ(w.pcOrvane->currentWidget(), w.tsKOVAStation);
    EXPECT_FALSE(w.mnuShowHints->isChecked());
    EXPECT_EQ(w.StationPage->LblHints->text(), QStringLiteral("Hints Off"));
    EXPECT_TRUE(w.docSML->Active());
    EXPECT_EQ(w.StatusPanel(1), QStringLiteral("SML is Active"));
    EXPECT_EQ(w.edSMLFileName->text(), QStringLiteral("<default>"));
    EXPECT_TRUE(w.FSMLFileName.isEmpty());
    EXPECT_TRUE(w.ledSMLOpen->Lit());
    EXPECT_FALSE(QFileInfo::exists(SettingsFile())) << "nothing is written at start-up";
    EXPECT_TRUE(script->Asked().empty());

    EXPECT_TRUE(w.close());
    QSettings stored = ReadSettings(SettingsFile());
    EXPECT_EQ(stored.value("Left").toInt(), 40);
    EXPECT_EQ(stored.value("Top").toInt(), 312);
    EXPECT_TRUE(stored.contains("SMLFile"));
    EXPECT_EQ(stored.value("SMLFile").toString(), QString());
}

TEST(MainWindowSettings, LiveUnderTheUsersKOVANetOrvaneKey)
{
    // The program's own store, not a file named by a test: what a close writes there, the
    // next start reads back.
    QTemporaryDir config;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    const QString store = config.filePath(QStringLiteral("KOVA Net/Orvane.conf"));
    {
        TfrmOrvane first(std::make_unique<TScriptedDialogs>());
        EXPECT_EQ(first.SettingsFileName(), store);
        first.move(321, 123);
        EXPECT_TRUE(first.close());
    }
    ASSERT_TRUE(QFileInfo::exists(store));
    EXPECT_EQ(QSettings(store, QSettings::IniFormat).value("Left").toInt(), 321);
    TfrmOrvane next(std::make_unique<TScriptedDialogs>());
    EXPECT_EQ(next.pos(), QPoint(321, 123));
}

TEST_F(MainWindowTest, StoredPositionIsAppliedUpToTheFirstBadValue)
{
    ASSERT_EQ(QGuiApplication::screens().size(), 1) << "the monitor correction needs one screen";
    const struct {
        const char *Name;
        const char *Stored;
        QPoint Position;
        bool StoreReset; // the store then holds 10, 100 and an empty SMLFile
    } cases[] = {
        {"left beyond 640 moves to 200", "Left=641\nTop=50\nSMLFile=\n", {200, 50}, false},
        {"left of 640 stays", "Left=640\nTop=60\nSMLFile=\n", {640, 60}, false},
        {"missing SMLFile reads empty", "Left=5\nTop=6\n", {5, 6}, false},
        {"missing top keeps the left edge", "Left=700\nSMLFile=\n", {700, 312}, true},
        {"left not a number", "Left=abc\nTop=5\nSMLFile=\n", {40, 312}, true},
        {"top not an integer", "Left=20\nTop=1.5\nSMLFile=\n", {20, 312}, true},
        {"SMLFile of the wrong kind", "Left=900\nTop=30\nSMLFile=a, b\n", {200, 30}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        writeFile(SettingsFile(), QByteArray("[General]\n") + c.Stored);
        TfrmOrvane &w = Start();
        EXPECT_EQ(w.pos(), c.Position);
        EXPECT_TRUE(w.FSMLFileName.isEmpty());
        EXPECT_TRUE(w.docSML->Active());
        QSettings stored = ReadSettings(SettingsFile());
        if (c.StoreReset) {
            EXPECT_EQ(stored.value("Left").toInt(), 10);
            EXPECT_EQ(stored.value("Top").toInt(), 100);
            EXPECT_EQ(stored.value("SMLFile").toString(), QString());
        } else {
            EXPECT_NE(stored.value("Top").toInt(), 100);
        }
        Stop();
        QFile::remove(SettingsFile());
    }
}

TEST_F(MainWindowTest, StoredSMLFileIsOpenedAtStartUp)
{
    const QString file = WriteDocument(QStringLiteral("station.xml"));
    writeFile(SettingsFile(), "[General]\nLeft=10\nTop=20\nSMLFile=" + file.toUtf8() + "\n");
    TfrmOrvane &w = Start();
    EXPECT_EQ(w.FSMLFileName, file);
    EXPECT_EQ(w.docSML->FileName(), file);
    EXPECT_EQ(w.edSMLFileName->text(), w.ShortName(file));
    EXPECT_EQ(w.StationPage->edTargetName->text(), QStringLiteral("Vega"));
    EXPECT_TRUE(w.moSML->toPlainText().contains(QStringLiteral("TargetName=\"Vega\"")));
    EXPECT_EQ(w.StatusPanel(1), QStringLiteral("SML is Active"));
    EXPECT_TRUE(w.windowTitle().endsWith(QStringLiteral(" Bit)")));
}

TEST_F(MainWindowTest, MissingStoredFileFallsBackToTheDefaultDocumentSilently)
{
    writeFile(SettingsFile(), "[General]\nLeft=10\nTop=20\nSMLFile=" +
                                  PathOf(QStringLiteral("gone.xml")).toUtf8() + "\n");
    TfrmOrvane &w = Start();
    EXPECT_TRUE(script->Asked().empty());
    EXPECT_EQ(w.edSMLFileName->text(), QStringLiteral("<default>"));
    EXPECT_TRUE(w.FSMLFileName.isEmpty());
    EXPECT_TRUE(w.close());
    EXPECT_EQ(ReadSettings(SettingsFile()).value("SMLFile").toString(), QString());
}

TEST_F(MainWindowTest, UnloadableStoredFileIsReportedAndKept)
{
    const QString file = WriteDocument(QStringLiteral("broken.xml"), "<KOVA_Station><TitleBlock>");
    writeFile(SettingsFile(), "[General]\nLeft=10\nTop=20\nSMLFile=" + file.toUtf8() + "\n");
    TfrmOrvane &w = Start([](TScriptedDialogs &s) { s.Answer(TModalResult::OK); });

    ASSERT_EQ(script->Asked().size(), 1u);
    const auto &report = script->Asked().front();
    EXPECT_EQ(report.Type, TMsgDlgType::Error);
    EXPECT_EQ(report.Buttons, TMsgDlgButtons::OK);
    EXPECT_TRUE(report.Text.endsWith(QLatin1Char('.')));
    EXPECT_EQ(w.windowTitle(), Title) << "the rest of the start-up is skipped";
    EXPECT_FALSE(w.docSML->Active());
    EXPECT_FALSE(w.ledSMLOpen->Lit());
    EXPECT_EQ(w.FSMLFileName, file);
    EXPECT_EQ(w.moSML->toPlainText(), QStringLiteral("No SML Loaded..."));

    EXPECT_TRUE(w.close());
    EXPECT_EQ(ReadSettings(SettingsFile()).value("SMLFile").toString(), file);
}

// --- The SML commands ---

TEST_F(MainWindowTest, DefaultSMLAsksFirstAndCancelChangesNothing)
{
    const QString file = WriteDocument(QStringLiteral("a.xml"));
    TfrmOrvane &w = Start();
    OpenThroughDialog(file);
    w.StationPage->edTargetName->setText(QStringLiteral("typed, not collected"));

    script->Answer(TModalResult::Cancel);
    w.btnDefaultSML->click();
    EXPECT_EQ(script->Messages().back(),
              QStringLiteral("Default SML will overwrite any current. Continue?"));
    EXPECT_EQ(script->Asked().back().Buttons, TMsgDlgButtons::YesCancel);
    EXPECT_EQ(script->Asked().back().Type, TMsgDlgType::None);
    EXPECT_EQ(w.FSMLFileName, file);
    EXPECT_EQ(w.docSML->FileName(), file);
    EXPECT_EQ(w.StationPage->edTargetName->text(), QStringLiteral("typed, not collected"));

    script->Answer(TModalResult::Yes);
    w.mnuDefaultSML->trigger();
    EXPECT_EQ(w.StatusPanel(1), QStringLiteral("SML is Active"));
    EXPECT_EQ(w.edSMLFileName->text(), QStringLiteral("<default>"));
    EXPECT_EQ(w.StationPage->edTargetName->text(), QStringLiteral("String"));
    EXPECT_TRUE(w.FSMLFileName.isEmpty());
    ExpectSaveEnabling(w, {false, false, true});
    EXPECT_EQ(readFile(file), SampleDocument()) << "the opened file was never changed";
}

TEST_F(MainWindowTest, OpenCancelledStillEnablesSave)
{
    TfrmOrvane &w = Start();
    ExpectSaveEnabling(w, {false, false, true});
    script->ChooseOpen(QString());
    w.mnuSMLFileOpen->trigger();
    ExpectSaveEnabling(w, {true, true, true});
    EXPECT_EQ(script->Asked().back().Spec.Title, QStringLiteral("SML File To Open"));
    EXPECT_EQ(script->Asked().back().Spec.Filter,
              QStringLiteral("XML Files (*.xml)|*.xml|SML Files (*.sml)|*.sml"));
    EXPECT_EQ(w.edSMLFileName->text(), QStringLiteral("<default>"));
}

TEST_F(MainWindowTest, OpenEditSaveWritesOnceAndTheNextStartOpensTheFile)
{
    const QString file = WriteDocument(QStringLiteral("station.sml"));
    TfrmOrvane &w = Start();
    OpenThroughDialog(file);
    EXPECT_EQ(w.FSMLFileName, file);
    EXPECT_EQ(w.StatusPanel(1), QStringLiteral("SML is Active"));
    ExpectSaveEnabling(w, {true, true, true});

    w.StationPage->edTargetName->setText(QStringLiteral("Altair"));
    w.btnSMLSave->click();
    EXPECT_EQ(w.StatusPanel(1), QStringLiteral("Save Complete"));
    EXPECT_EQ(AttributeIn(file, "Target", "TargetName"), QStringLiteral("Altair"));
    EXPECT_EQ(AttributeIn(file, "Files", "SML"), file);
    EXPECT_EQ(GroupColour(*w.gbSML), ActiveCaptionGradientColour());
    EXPECT_TRUE(w.gbSML->isEnabled());
    const QByteArray saved = readFile(file);

    EXPECT_TRUE(w.close());
    EXPECT_EQ(readFile(file), saved) << "the close has nothing left to write";
    EXPECT_EQ(ReadSettings(SettingsFile()).value("SMLFile").toString(), file);

    TfrmOrvane &next = Start();
    EXPECT_EQ(next.FSMLFileName, file);
    EXPECT_EQ(next.StationPage->edTargetName->text(), QStringLiteral("Altair"));
}

TEST_F(MainWindowTest, SaveWritesToTheFileLastOpenedEvenAfterSaveAs)
{
    const QString a = WriteDocument(QStringLiteral("a.xml"));
    const QString b = PathOf(QStringLiteral("b.xml"));
    TfrmOrvane &w = Start();
    OpenThroughDialog(a);

    script->ChooseSave(b);
    w.btnSMLSaveAs->click();
    EXPECT_EQ(script->Asked().back().Spec.DefaultExt, QStringLiteral("xml"));
    EXPECT_EQ(w.StatusPanel(1), QStringLiteral("SaveAs Complete"));
    EXPECT_EQ(w.FSMLFileName, b);
    EXPECT_EQ(AttributeIn(b, "Files", "SML"), a) << "the name current before the Save As";

    w.StationPage->edTargetName->setText(QStringLiteral("Deneb"));
    w.mnuSaveSML->trigger();
    EXPECT_EQ(w.FSMLFileName, a);
    EXPECT_EQ(AttributeIn(a, "Target", "TargetName"), QStringLiteral("Deneb"));
    EXPECT_EQ(AttributeIn(b, "Target", "TargetName"), QStringLiteral("Vega"));
}

TEST_F(MainWindowTest, SaveAsStampsTheCreationTimeAndRecordsNoSMLNameAfterTheDefault)
{
    const QString target = PathOf(QStringLiteral("new.xml"));
    TfrmOrvane &w = Start();
    const auto today = [] {
        return QLocale().toString(QDateTime::currentDateTimeUtc().date(), QLocale::ShortFormat);
    };
    const QString before = today();
    script->ChooseSave(target);
    w.mnuSaveSMLAs->trigger();
    const QString after = today();

    const QString stamp = w.StationPage->edDateTimeUTC->text();
    EXPECT_TRUE(stamp.startsWith(before) || stamp.startsWith(after)) << stamp.toStdString();
    EXPECT_EQ(AttributeIn(target, "Version", "CreatedOn"), stamp);
    EXPECT_EQ(AttributeIn(target, "Files", "SML"), QString());
    EXPECT_EQ(w.FSMLFileName, target);
    EXPECT_EQ(w.edSMLFileName->text(), w.ShortName(target));
}

TEST_F(MainWindowTest, SaveWithoutDocumentReportsFailureOnly)
{
    const QString broken = WriteDocument(QStringLiteral("broken.xml"), "not xml at all");
    TfrmOrvane &w = Start();
    script->ChooseOpen(broken).Answer(TModalResult::OK);
    w.btnOpenSMLFile->click();
    ASSERT_FALSE(w.docSML->Active());
    EXPECT_EQ(w.StatusPanel(1), QStringLiteral("Doc about to close"));
    EXPECT_EQ(w.FSMLFileName, broken);

    w.btnSMLSave->click();
    EXPECT_EQ(w.StatusPanel(5), QStringLiteral("... No SML saved."));
    EXPECT_EQ(w.StatusPanel(1), QStringLiteral("... SAVE working..."));

    const QString target = PathOf(QStringLiteral("never.xml"));
    script->ChooseSave(target);
    w.btnSMLSaveAs->click();
    EXPECT_EQ(w.StatusPanel(1), QStringLiteral("... SaveAs working..."));
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_EQ(w.FSMLFileName, broken);
}

TEST_F(MainWindowTest, FailedOpenLeavesTheDocumentClosedAndThePagesAsTheyWere)
{
    const QString good = WriteDocument(QStringLiteral("good.xml"));
    const QString bad = WriteDocument(QStringLiteral("bad.xml"), "<KOVA_Station>");
    TfrmOrvane &w = Start();
    OpenThroughDialog(good);

    script->ChooseOpen(bad).Answer(TModalResult::OK);
    w.btnOpenSMLFile->click();
    EXPECT_EQ(script->Asked().back().Type, TMsgDlgType::Error);
    EXPECT_FALSE(w.docSML->Active());
    EXPECT_FALSE(w.ledSMLOpen->Lit());
    EXPECT_FALSE(w.mnuWAVFile->menuAction()->isEnabled());
    EXPECT_FALSE(w.mnuJPGFile->menuAction()->isEnabled());
    EXPECT_FALSE(w.StationPage->gbWavFile->isEnabled());
    EXPECT_EQ(w.StatusPanel(1), QStringLiteral("Doc about to close"));
    EXPECT_EQ(w.StationPage->edTargetName->text(), QStringLiteral("Vega"));
    EXPECT_EQ(w.FSMLFileName, bad);
}

TEST_F(MainWindowTest, UnwritableSaveTargetIsReportedAndChangesNoName)
{
    TfrmOrvane &w = Start();
    script->ChooseSave(PathOf(QStringLiteral("no/such/folder/x.xml"))).Answer(TModalResult::OK);
    w.btnSMLSaveAs->click();
    EXPECT_EQ(script->Asked().back().Type, TMsgDlgType::Error);
    EXPECT_EQ(w.StatusPanel(1), QStringLiteral("... SaveAs working..."));
    EXPECT_TRUE(w.FSMLFileName.isEmpty());
    EXPECT_TRUE(w.gbSML->isEnabled()) << "Open and Default SML stay usable after a failed save";
}

TEST_F(MainWindowTest, SaveBeforeAnyOpenDoesNothing)
{
    TfrmOrvane &w = Start();
    w.mnuSaveSML->setEnabled(true);
    w.mnuSaveSML->trigger();
    EXPECT_EQ(w.StatusPanel(1), QStringLiteral("SML is Active"));
    EXPECT_TRUE(script->Asked().empty());
}

TEST_F(MainWindowTest, StationPositionSurvivesASave)
{
    const QString file = WriteDocument(QStringLiteral("position.xml"));
    TfrmOrvane &w = Start();
    OpenThroughDialog(file);
    w.btnSMLSave->click();
    EXPECT_NEAR(AttributeIn(file, "Location", "Latitude").toDouble(), 51.4778, 1e-4);
    EXPECT_NEAR(AttributeIn(file, "Location", "Longitude").toDouble(), 3.14159, 1e-5);
}

TEST_F(MainWindowTest, ASaveFromTheMenuCommitsTheNumberBeingTyped)
{
    // Menus and shortcuts take no focus, so the field being typed in is never left.
    const QString file = WriteDocument(QStringLiteral("typing.xml"));
    TfrmOrvane &w = Start();
    OpenThroughDialog(file);
    w.show();
    QApplication::setActiveWindow(&w);
    TNumericEntry &hit = *w.StationPage->neHitID;
    hit.setFocus();
    ASSERT_EQ(QApplication::focusWidget(), &hit);
    hit.setText(QStringLiteral("4711"));
    ASSERT_EQ(hit.State(), TNumericEntry::TState::Editing);
    w.mnuSaveSML->trigger();
    EXPECT_EQ(AttributeIn(file, "Target", "HitID"), QStringLiteral("4711"));
    EXPECT_EQ(hit.State(), TNumericEntry::TState::Normal);

    hit.setText(QStringLiteral("47x"));
    w.mnuSaveSML->trigger();
    EXPECT_EQ(AttributeIn(file, "Target", "HitID"), QStringLiteral("4711"))
        << "invalid text is not committed";
    EXPECT_EQ(hit.State(), TNumericEntry::TState::Error);
}

// --- Raw XML page ---

TEST_F(MainWindowTest, RawXMLPageFollowsTheDocument)
{
    TfrmOrvane &w = Start();
    // The memo keeps one kind of line break.
    EXPECT_EQ(w.moSML->toPlainText(), FormatXMLData(w.docSML->XML().join(QLatin1Char('\n')))
                                          .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    w.TitleBlockNode->Get_Target()->Set_TargetName(QStringLiteral("Sirius"));
    EXPECT_TRUE(w.moSML->toPlainText().contains(QStringLiteral("TargetName=\"Sirius\"")));

    w.moSML->setPlainText(QStringLiteral("typed by the user"));
    QFocusEvent focusIn(QEvent::FocusIn);
    QApplication::sendEvent(w.moSML, &focusIn);
    EXPECT_TRUE(w.moSML->toPlainText().contains(QStringLiteral("TargetName=\"Sirius\"")));
}

TEST_F(MainWindowTest, RefreshCollectsThePagesAndCloseWritesThemBack)
{
    const QString file = WriteDocument(QStringLiteral("refresh.xml"));
    TfrmOrvane &w = Start();
    OpenThroughDialog(file);
    w.StationPage->edTargetName->setText(QStringLiteral("Polaris"));
    w.btnRefreshSML->click();
    EXPECT_TRUE(w.moSML->toPlainText().contains(QStringLiteral("TargetName=\"Polaris\"")));
    EXPECT_EQ(readFile(file), SampleDocument()) << "Refresh saves nothing";
    EXPECT_TRUE(w.close());
    EXPECT_EQ(AttributeIn(file, "Target", "TargetName"), QStringLiteral("Polaris"));
}

TEST_F(MainWindowTest, CloseWritesNothingForUncollectedEditsOrTheDefaultDocument)
{
    const QString file = WriteDocument(QStringLiteral("kept.xml"));
    TfrmOrvane &w = Start();
    OpenThroughDialog(file);
    w.StationPage->edTargetName->setText(QStringLiteral("only on screen"));
    EXPECT_TRUE(w.close());
    EXPECT_EQ(readFile(file), SampleDocument());

    TfrmOrvane &fresh = Start();
    fresh.btnRefreshSML->click();
    EXPECT_TRUE(fresh.docSML->Modified());
    EXPECT_TRUE(fresh.close());
    EXPECT_EQ(QDir(FDir.path()).entryList(QDir::Files).size(), 2) << "kept.xml and settings";
}

TEST_F(MainWindowTest, FailingAutoSaveKeepsTheWindowOpen)
{
    QDir(FDir.path()).mkdir(QStringLiteral("sub"));
    const QString file = WriteDocument(QStringLiteral("sub/doc.xml"));
    TfrmOrvane &w = Start();
    OpenThroughDialog(file);
    w.StationPage->edTargetName->setText(QStringLiteral("Mira"));
    w.btnRefreshSML->click();
    ASSERT_TRUE(QDir(PathOf(QStringLiteral("sub"))).removeRecursively());

    script->Answer(TModalResult::OK);
    EXPECT_FALSE(w.close());
    EXPECT_EQ(script->Asked().back().Type, TMsgDlgType::Error);
    EXPECT_FALSE(QFileInfo::exists(SettingsFile()));

    QDir(FDir.path()).mkdir(QStringLiteral("sub"));
    EXPECT_TRUE(w.close());
    EXPECT_EQ(AttributeIn(file, "Target", "TargetName"), QStringLiteral("Mira"));
}

// --- Document notifications ---

TEST_F(MainWindowTest, DocumentStateSwitchesTheFileGroupsAndMenus)
{
    TfrmOrvane &w = Start();
    TStationPage &page = *w.StationPage;
    const auto groups = {static_cast<QWidget *>(w.gbSML), static_cast<QWidget *>(page.gbWavFile),
                         static_cast<QWidget *>(page.gbJPGFile)};

    for (QWidget *group : groups)
        EXPECT_EQ(GroupColour(*group), ActiveCaptionGradientColour());
    EXPECT_TRUE(w.mnuWAVFile->menuAction()->isEnabled());
    EXPECT_TRUE(w.mnuJPGFile->menuAction()->isEnabled());
    EXPECT_TRUE(page.btnWaveFileOpen->isEnabled());
    EXPECT_TRUE(page.btnJPGFileOpen->isEnabled());
    for (QPushButton *save :
         {page.btnSaveWAV, page.btnSaveAsWAV, page.btnSaveJPG, page.btnSaveAsJPG})
        EXPECT_FALSE(save->isEnabled());

    w.docSML->SetActive(false);
    for (QWidget *group : groups)
        EXPECT_EQ(GroupColour(*group), ScrollBarColour());
    EXPECT_FALSE(page.gbWavFile->isEnabled());
    EXPECT_FALSE(page.gbJPGFile->isEnabled());
    EXPECT_FALSE(w.mnuWAVFile->menuAction()->isEnabled());
    EXPECT_FALSE(w.mnuJPGFile->menuAction()->isEnabled());
    EXPECT_FALSE(w.ledSMLOpen->Lit());
    EXPECT_EQ(w.StatusPanel(1), QStringLiteral("Doc about to close"));
}

// --- Frame: hints, print, menus, block diagram ---

TEST_F(MainWindowTest, HintsSwitchAndStatusPanel)
{
    TfrmOrvane &w = Start();
    w.show();
    const auto tooltipShown = [&w] {
        QToolTip::hideText();
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), w.btnOpenSMLFile->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(w.btnOpenSMLFile, &help);
        return QToolTip::isVisible() && QToolTip::text() == QStringLiteral("Load SML ");
    };
    EXPECT_FALSE(tooltipShown()) << "hints start switched off";

    w.mnuShowHints->trigger();
    EXPECT_TRUE(tooltipShown());
    EXPECT_TRUE(w.mnuShowHints->isChecked());
    EXPECT_EQ(w.StationPage->LblHints->text(), QStringLiteral("Hints On"));
    EXPECT_EQ(w.btnOpenSMLFile->toolTip(), QStringLiteral("Load SML "));

    QStatusTipEvent tip(w.btnOpenSMLFile->statusTip());
    QApplication::sendEvent(w.btnOpenSMLFile, &tip);
    EXPECT_EQ(w.StatusPanel(3), QStringLiteral(" Open an existing SML file"));

    w.mnuShowHints->showStatusText(w.menuBar());
    EXPECT_EQ(w.StatusPanel(3), QStringLiteral("turn on/off all hints"));
}

TEST_F(MainWindowTest, PrintShowsTheNoticeOnlyWhenConfirmed)
{
    TfrmOrvane &w = Start();
    script->ConfirmPrint(false);
    w.FilePrintItem->trigger();
    EXPECT_TRUE(script->Messages().empty());

    script->ConfirmPrint(true).Answer(TModalResult::OK);
    w.FilePrintItem->trigger();
    ASSERT_EQ(script->Messages().size(), 1u);
    EXPECT_EQ(script->Messages().front(), QStringLiteral("This function not implemented yet."));

    w.mnuPrintSetup->trigger();
    EXPECT_EQ(script->Asked().size(), 3u);
}

TEST_F(MainWindowTest, ExitClosesAndStoresThePosition)
{
    TfrmOrvane &w = Start();
    w.move(123, 234);
    w.mnuFileExitItem->trigger();
    QSettings stored = ReadSettings(SettingsFile());
    EXPECT_EQ(stored.value("Left").toInt(), 123);
    EXPECT_EQ(stored.value("Top").toInt(), 234);
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsAndShortcuts)
{
    TfrmOrvane &w = Start();
    const struct {
        QAction *Item;
        const char *Caption;
        const char *Shortcut;
    } items[] = {
        {w.mnuSMLFile->menuAction(), "&SML File", ""},
        {w.mnuDefaultSML, "Default SML", ""},
        {w.mnuSMLFileOpen, "&Open ", "Ctrl+O"},
        {w.mnuSaveSML, "&Save ", "Ctrl+S"},
        {w.mnuSaveSMLAs, "Save &As...", ""},
        {w.FilePrintItem, "&Print", "Ctrl+P"},
        {w.mnuPrintSetup, "Prin&t Setup...", ""},
        {w.mnuFileExitItem, "E&xit", ""},
        {w.mnuWAVFile->menuAction(), "&WAV File", ""},
        {w.mnuOpenWAV, "&Open ", ""},
        {w.mnuTagSaveWAV, "&Save", ""},
        {w.mnuTagSaveWAVAs, "Save &As", ""},
        {w.mnuJPGFile->menuAction(), "JPG File", ""},
        {w.mnuOpenJPG, "Open", ""},
        {w.mnuTagSaveJPG, "&Save", ""},
        {w.mnuTagSaveJPGAs, "Save& As", ""},
        {w.mnuShowHints, "Show Hints", ""},
        {w.mnuAbout, "About", ""},
    };
    for (const auto &item : items) {
        SCOPED_TRACE(item.Caption);
        EXPECT_EQ(item.Item->text(), QString::fromUtf8(item.Caption));
        EXPECT_EQ(item.Item->shortcut().toString(), QString::fromUtf8(item.Shortcut));
    }
    const QStringList tabs = {
        "KOVA Station", "Antenna", "Receiver", "SML", "Prototype Block Diagram", "Log"};
    ASSERT_EQ(w.pcOrvane->count(), tabs.size());
    for (int i = 0; i < tabs.size(); ++i)
        EXPECT_EQ(w.pcOrvane->tabText(i), tabs[i]);
}

TEST(BlockDiagram, IsAFullColourPictureOfTheFixedSize)
{
    const QImage picture = TBlockDiagram::Picture();
    EXPECT_EQ(picture.size(), QSize(1152, 648));
    EXPECT_EQ(picture.format(), QImage::Format_RGB888);
    int drawn = 0;
    for (int y = 0; y < picture.height(); y += 8)
        for (int x = 0; x < picture.width(); x += 8)
            drawn += picture.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(drawn, 1000) << "the drawing came out blank";
}
