#include "app/TfrmOrvane.h"

#include "about/BitnessSuffix.h"
#include "app/ErrorReport.h"
#include "app/GroupColour.h"
#include "app/TBlockDiagram.h"
#include "app/TLogPage.h"
#include "app/TLogger.h"
#include "editor/Hint.h"
#include "editor/ShortDisplayName.h"
#include "editor/TIndicatorLight.h"
#include "editor/TNumericEntry.h"
#include "editor/TStationPage.h"
#include "sml/FormatXMLData.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cstdio>

namespace
{

const QString SMLFilter = QStringLiteral("XML Files (*.xml)|*.xml|SML Files (*.sml)|*.sml");

// Settings values, under the per-user key "KOVA Net" / "Orvane".
const QString KeyLeft = QStringLiteral("Left");
const QString KeyTop = QStringLiteral("Top");
const QString KeySMLFile = QStringLiteral("SMLFile");

constexpr std::array<int, 6> PanelWidths{50, 150, 50, 250, 50, 150};

std::unique_ptr<QSettings> OpenSettings(const QString &file)
{
    if (file.isEmpty())
        return std::make_unique<QSettings>(QStringLiteral("KOVA Net"), QStringLiteral("Orvane"));
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

// A stored 32-bit integer; nothing when the value is missing or not an integer.
std::optional<int> ReadInteger(const QSettings &settings, const QString &key)
{
    const QVariant value = settings.value(key);
    if (!value.isValid() || value.typeId() == QMetaType::QStringList)
        return std::nullopt;
    bool ok = false;
    const int n = value.toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

// A stored text: empty when missing, nothing when the value is of another kind.
std::optional<QString> ReadText(const QSettings &settings, const QString &key)
{
    const QVariant value = settings.value(key);
    if (!value.isValid())
        return QString();
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

// The user's short date, a blank and the long time (without time zone); the time is left
// out at exactly midnight.
QString DateTimeText(const QDateTime &when)
{
    const QLocale locale;
    QString text = locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() != QTime(0, 0)) {
        QString timeFormat = locale.timeFormat(QLocale::LongFormat);
        timeFormat.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
        text += QLatin1Char(' ') + locale.toString(when.time(), timeFormat.trimmed());
    }
    return text;
}

} // namespace

TfrmOrvane::TfrmOrvane(std::unique_ptr<IUserDialogs> dialogs, const QString &settingsFile,
                       QWidget *parent)
    : QMainWindow(parent), docSML(std::make_unique<TXMLDocument>(
                               TXMLDocOption::doNodeAutoCreate | TXMLDocOption::doNodeAutoIndent |
                               TXMLDocOption::doAttrNull | TXMLDocOption::doAutoPrefix |
                               TXMLDocOption::doNamespaceDecl | TXMLDocOption::doAutoSave)),
      FDialogs(std::move(dialogs)), FSettingsFile(settingsFile)
{
    setWindowTitle(QStringLiteral("K O V A   O r v a n e"));
    QFont windowFont(QStringLiteral("Sans Serif"));
    windowFont.setStyleHint(QFont::SansSerif);
    windowFont.setPixelSize(11);
    setFont(windowFont);

    BuildMenus();
    BuildStatusBar();
    BuildPages();
    BindDocument();
    BuildMediaWorkflows();

    resize(768, 611 + menuBar()->sizeHint().height());
    move(40, 312);
    qApp->installEventFilter(this);

    RunGuarded([this] { FormCreate(); });
}

TfrmOrvane::~TfrmOrvane()
{
    qApp->removeEventFilter(this);
    // The document may still auto-save while it dies; the window must not hear of it.
    docSML->BeforeOpen = nullptr;
    docSML->AfterOpen = nullptr;
    docSML->BeforeClose = nullptr;
    docSML->AfterClose = nullptr;
    docSML->BeforeNodeChange = nullptr;
    docSML->AfterNodeChange = nullptr;
}

bool TfrmOrvane::RunGuarded(const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception &e) {
        ReportError(e);
        return false;
    }
}

void TfrmOrvane::ReportError(const std::exception &e)
{
    Dialogs().MessageDlg(ErrorReportText(e), TMsgDlgButtons::OK, TMsgDlgType::Error);
}

QString TfrmOrvane::StatusPanel(int index) const
{
    if (index < 0 || index >= static_cast<int>(FPanels.size()))
        return {};
    return FPanels[index]->text();
}

void TfrmOrvane::SetStatusPanel(int index, const QString &text)
{
    if (index >= 0 && index < static_cast<int>(FPanels.size()))
        FPanels[index]->setText(text);
}

QString TfrmOrvane::ShortName(const QString &path) const
{
    return ShortDisplayName(path, QFontMetrics(font()));
}

QString TfrmOrvane::SettingsFileName() const
{
    return OpenSettings(FSettingsFile)->fileName();
}

// --- Building the window ---

void TfrmOrvane::Bind(QAbstractButton *button, void (TfrmOrvane::*handler)())
{
    connect(button, &QAbstractButton::clicked, this,
            [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
}

void TfrmOrvane::Bind(QAction *action, void (TfrmOrvane::*handler)())
{
    connect(action, &QAction::triggered, this,
            [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
}

void TfrmOrvane::BuildMenus()
{
    QMenuBar *mnuMain = menuBar();
    mnuSMLFile = mnuMain->addMenu(QStringLiteral("&SML File"));
    mnuDefaultSML = mnuSMLFile->addAction(QStringLiteral("Default SML"));
    mnuSMLFile->addSeparator();
    mnuSMLFileOpen = mnuSMLFile->addAction(QStringLiteral("&Open "));
    mnuSMLFileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuSaveSML = mnuSMLFile->addAction(QStringLiteral("&Save "));
    mnuSaveSML->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuSaveSMLAs = mnuSMLFile->addAction(QStringLiteral("Save &As..."));
    mnuSMLFile->addSeparator();
    FilePrintItem = mnuSMLFile->addAction(QStringLiteral("&Print"));
    FilePrintItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuPrintSetup = mnuSMLFile->addAction(QStringLiteral("Prin&t Setup..."));
    mnuSMLFile->addSeparator();
    mnuFileExitItem = mnuSMLFile->addAction(QStringLiteral("E&xit"));

    mnuWAVFile = mnuMain->addMenu(QStringLiteral("&WAV File"));
    mnuOpenWAV = mnuWAVFile->addAction(QStringLiteral("&Open "));
    mnuTagSaveWAV = mnuWAVFile->addAction(QStringLiteral("&Save"));
    mnuTagSaveWAVAs = mnuWAVFile->addAction(QStringLiteral("Save &As"));
    mnuWAVFile->menuAction()->setEnabled(false);

    mnuJPGFile = mnuMain->addMenu(QStringLiteral("JPG File"));
    mnuOpenJPG = mnuJPGFile->addAction(QStringLiteral("Open"));
    mnuTagSaveJPG = mnuJPGFile->addAction(QStringLiteral("&Save"));
    mnuTagSaveJPGAs = mnuJPGFile->addAction(QStringLiteral("Save& As"));
    mnuJPGFile->menuAction()->setEnabled(false);

    mnuHelp = mnuMain->addMenu(QStringLiteral("Help"));
    mnuShowHints = mnuHelp->addAction(QStringLiteral("Show Hints"));
    mnuShowHints->setCheckable(true);
    mnuShowHints->setChecked(true);
    mnuShowHints->setToolTip(QStringLiteral("turn on/off all hints"));
    mnuShowHints->setStatusTip(QStringLiteral("turn on/off all hints"));
    mnuAbout = mnuHelp->addAction(QStringLiteral("About"));

    Bind(mnuDefaultSML, &TfrmOrvane::btnDefaultSMLClick);
    Bind(mnuSMLFileOpen, &TfrmOrvane::btnOpenSMLFileClick);
    Bind(mnuSaveSML, &TfrmOrvane::btnSMLSaveClick);
    Bind(mnuSaveSMLAs, &TfrmOrvane::btnSMLSaveAsClick);
    Bind(FilePrintItem, &TfrmOrvane::FilePrintItemClick);
    Bind(mnuFileExitItem, &TfrmOrvane::mnuFileExitItemClick);
    Bind(mnuAbout, &TfrmOrvane::mnuAboutClick);
    connect(mnuShowHints, &QAction::toggled, this,
            [this](bool on) { RunGuarded([this, on] { ApplyHintSwitch(on); }); });
}

void TfrmOrvane::BuildStatusBar()
{
    sbOrvane = statusBar();
    sbOrvane->setSizeGripEnabled(false);
    sbOrvane->setMinimumHeight(19);
    for (std::size_t i = 0; i < FPanels.size(); ++i) {
        auto *panel = new QLabel(sbOrvane);
        panel->setTextFormat(Qt::PlainText); // file names are shown, never rendered
        panel->setFixedWidth(PanelWidths[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        sbOrvane->addWidget(panel);
        FPanels[i] = panel;
    }
    FPanels[0]->setText(QStringLiteral("Stat:"));
    FPanels[2]->setText(QStringLiteral("Hint:"));
    FPanels[4]->setText(QStringLiteral("Event"));
}

QWidget *TfrmOrvane::BuildSMLGroup()
{
    gbSML = new QGroupBox(QStringLiteral("SML"));
    gbSML->setObjectName(QStringLiteral("gbSML"));
    gbSML->setFixedWidth(261);
    SetGroupColour(*gbSML, ScrollBarColour());

    ledSMLOpen = new TIndicatorLight(QStringLiteral("SML Open"), gbSML);
    btnOpenSMLFile = new QPushButton(QStringLiteral("Open"), gbSML);
    btnSMLSave = new QPushButton(QStringLiteral("&Save "), gbSML);
    btnSMLSaveAs = new QPushButton(QStringLiteral("Save As"), gbSML);
    btnDefaultSML = new QPushButton(QStringLiteral("Default SML"), gbSML);
    edSMLFileName = new QLineEdit(QStringLiteral("{XML file Name - auto set}"), gbSML);
    edSMLFileName->setReadOnly(true);
    btnSMLSave->setEnabled(false);
    btnSMLSaveAs->setEnabled(false);
    ledSMLOpen->SetLit(false);

    ApplyHint(*btnOpenSMLFile, QStringLiteral("Load SML | Open an existing SML file"));
    ApplyHint(*btnSMLSave, QStringLiteral(" SML | Save current SML"));
    ApplyHint(*btnSMLSaveAs, QStringLiteral("New SML | Save current SML to a new file"));
    ApplyHint(*btnDefaultSML, QStringLiteral("Default SML | Open the Default SML file"));
    ApplyHint(*edSMLFileName,
              QStringLiteral("Name & Location | Truncated XML file name and location"));

    auto *layout = new QVBoxLayout(gbSML);
    auto *top = new QHBoxLayout;
    top->addWidget(ledSMLOpen);
    top->addStretch();
    top->addWidget(btnDefaultSML);
    layout->addLayout(top);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnOpenSMLFile);
    buttons->addWidget(btnSMLSave);
    buttons->addWidget(btnSMLSaveAs);
    layout->addLayout(buttons);
    layout->addWidget(edSMLFileName);
    layout->addStretch();

    Bind(btnOpenSMLFile, &TfrmOrvane::btnOpenSMLFileClick);
    Bind(btnSMLSave, &TfrmOrvane::btnSMLSaveClick);
    Bind(btnSMLSaveAs, &TfrmOrvane::btnSMLSaveAsClick);
    Bind(btnDefaultSML, &TfrmOrvane::btnDefaultSMLClick);
    return gbSML;
}

QWidget *TfrmOrvane::BuildRawXMLPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    pnlSML = new QWidget(page);
    pnlSML->setFixedHeight(25);
    SetGroupColour(*pnlSML, QColor(192, 220, 192));
    btnRefreshSML = new QPushButton(QStringLiteral(" Refresh SML"), pnlSML);
    auto *bar = new QHBoxLayout(pnlSML);
    bar->setContentsMargins(2, 1, 2, 1);
    bar->addWidget(btnRefreshSML);
    bar->addStretch();

    moSML = new QPlainTextEdit(QStringLiteral("No SML Loaded..."), page);
    moSML->setLineWrapMode(QPlainTextEdit::NoWrap);
    moSML->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    moSML->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    moSML->installEventFilter(this);

    layout->addWidget(pnlSML);
    layout->addWidget(moSML);
    Bind(btnRefreshSML, &TfrmOrvane::btnRefreshSMLClick);
    return page;
}

QWidget *TfrmOrvane::BuildBlockDiagramPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(3, 24, 3, 3);
    imgBlockDiagram = new QLabel(page);
    imgBlockDiagram->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imgBlockDiagram->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    imgBlockDiagram->setMaximumSize(758, 513);
    imgBlockDiagram->setPixmap(QPixmap::fromImage(TBlockDiagram::Picture()));
    layout->addWidget(imgBlockDiagram);
    return page;
}

void TfrmOrvane::BuildPages()
{
    pcOrvane = new QTabWidget(this);
    pcOrvane->setStatusTip(QStringLiteral(" "));

    tsKOVAStation = new QWidget;
    auto *stationLayout = new QVBoxLayout(tsKOVAStation);
    stationLayout->setContentsMargins(0, 0, 0, 0);
    StationPage = new TStationPage(tsKOVAStation);
    stationLayout->addWidget(StationPage);
    QWidget *smlGroup = BuildSMLGroup();
    StationPage->InstallSMLGroup(smlGroup, edSMLFileName);

    tsAntenna = new QWidget;
    auto *antennaLayout = new QVBoxLayout(tsAntenna);
    antennaLayout->setContentsMargins(0, 0, 0, 0);
    AntennaPage = new TAntennaPage(tsAntenna);
    antennaLayout->addWidget(AntennaPage);
    tsReceiver = new QWidget;
    auto *receiverLayout = new QVBoxLayout(tsReceiver);
    receiverLayout->setContentsMargins(0, 0, 0, 0);
    ReceiverPage = new TReceiverPage(tsReceiver);
    receiverLayout->addWidget(ReceiverPage);
    HostEquipmentPages();
    tsXML = BuildRawXMLPage();
    tsPrototypeBlockDiagram = BuildBlockDiagramPage();
    tsLog = new TLogPage;

    const struct {
        QWidget *Page;
        const char *Name;
        const char *Caption;
    } pages[] = {{tsKOVAStation, "tsKOVAStation", "KOVA Station"},
                 {tsAntenna, "tsAntenna", "Antenna"},
                 {tsReceiver, "tsReceiver", "Receiver"},
                 {tsXML, "tsXML", "SML"},
                 {tsPrototypeBlockDiagram, "tsPrototypeBlockDiagram", "Prototype Block Diagram"},
                 {tsLog, "tsLog", "Log"}};
    for (const auto &page : pages) {
        page.Page->setObjectName(QString::fromLatin1(page.Name));
        pcOrvane->addTab(page.Page, QString::fromLatin1(page.Caption));
    }

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(pcOrvane);
    setCentralWidget(central);
}

void TfrmOrvane::HostEquipmentPages()
{
    AntennaSMLToControls = [this] {
        AntennaPage->AntennaSMLToControls(EquipmentSetupNode->Get_Antenna());
    };
    AntennaControlsToSML = [this] {
        AntennaPage->AntennaControlsToSML(EquipmentSetupNode->Get_Antenna());
    };
    ReceiverSMLToControls = [this] {
        ReceiverPage->ReceiverSMLToControls(EquipmentSetupNode->Get_Receiver());
    };
    ReceiverControlsToSML = [this] {
        ReceiverPage->ReceiverControlsToSML(EquipmentSetupNode->Get_Receiver());
    };
    // A shape-kind click and a hit-frequency change write their page at once; without a
    // bound document there is nothing to write into.
    AntennaPage->OnCollectRequested = [this] {
        RunGuarded([this] {
            if (EquipmentSetupNode)
                AntennaControlsToSML();
        });
    };
    ReceiverPage->OnCollectRequested = [this] {
        RunGuarded([this] {
            if (EquipmentSetupNode)
                ReceiverControlsToSML();
        });
    };
}

void TfrmOrvane::BindDocument()
{
    docSML->AfterOpen = [this](TXMLDocument &) { docSMLAfterOpen(); };
    docSML->BeforeClose = [this](TXMLDocument &) { docSMLBeforeClose(); };
    docSML->AfterClose = [this](TXMLDocument &) { docSMLAfterClose(); };
    docSML->AfterNodeChange = [this](const IXMLNode &, TNodeChange) { docSMLAfterNodeChange(); };
}

// --- Start-up and close ---

void TfrmOrvane::FormCreate()
{
    ReadSettings();
    pcOrvane->setCurrentWidget(tsKOVAStation);
    mnuShowHintsClick();
    tsLog->SetUpLogger();
    if (!FSMLFileName.isEmpty() && QFileInfo(FSMLFileName).isFile())
        OpenSML(FSMLFileName);
    else
        LoadDefaultSML();
    setWindowTitle(windowTitle() + BitnessSuffix());
}

void TfrmOrvane::ReadSettings()
{
    const std::unique_ptr<QSettings> KOVANetReg = OpenSettings(FSettingsFile);
    if (!QFileInfo::exists(KOVANetReg->fileName()) || KOVANetReg->status() != QSettings::NoError)
        return;
    // A value that is missing or of the wrong kind ends the reading; the edges set before it
    // stay and the store is reset to its defaults.
    const auto resetStore = [&KOVANetReg] {
        KOVANetReg->setValue(KeyLeft, 10);
        KOVANetReg->setValue(KeyTop, 100);
        KOVANetReg->setValue(KeySMLFile, QString());
        KOVANetReg->sync();
    };
    const std::optional<int> left = ReadInteger(*KOVANetReg, KeyLeft);
    if (!left)
        return resetStore();
    move(*left, y());
    const std::optional<int> top = ReadInteger(*KOVANetReg, KeyTop);
    if (!top)
        return resetStore();
    move(x(), *top);
    if (QGuiApplication::screens().size() == 1 && x() > 640)
        move(200, y());
    const std::optional<QString> smlFile = ReadText(*KOVANetReg, KeySMLFile);
    if (!smlFile)
        return resetStore();
    FSMLFileName = *smlFile;
}

void TfrmOrvane::WriteSettings()
{
    const std::unique_ptr<QSettings> KOVANetReg = OpenSettings(FSettingsFile);
    KOVANetReg->setValue(KeyLeft, x());
    KOVANetReg->setValue(KeyTop, y());
    KOVANetReg->setValue(KeySMLFile, FSMLFileName);
    KOVANetReg->sync();
    if (KOVANetReg->status() != QSettings::NoError)
        std::fprintf(stderr, "Orvane: the settings could not be written to %s\n",
                     qPrintable(KOVANetReg->fileName()));
}

void TfrmOrvane::FormClose()
{
    if (docSML->Active())
        docSML->SetActive(false);
    WriteSettings();
    if (WAVRiff)
        WAVRiff->Clear();
}

void TfrmOrvane::closeEvent(QCloseEvent *event)
{
    // A failing auto-save keeps the window open with the error shown, so nothing is lost.
    if (RunGuarded([this] { FormClose(); }))
        event->accept();
    else
        event->ignore();
}

// --- Hints ---

void TfrmOrvane::mnuShowHintsClick()
{
    mnuShowHints->toggle();
}

void TfrmOrvane::ApplyHintSwitch(bool on)
{
    StationPage->LblHints->setText(on ? QStringLiteral("Hints On") : QStringLiteral("Hints Off"));
}

bool TfrmOrvane::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        // DisplayHint: the long part of the hint goes to panel 3, whatever the hint switch says.
        SetStatusPanel(3, static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TfrmOrvane::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ToolTip && !mnuShowHints->isChecked()) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && (widget == pcOrvane || pcOrvane->isAncestorOf(widget)))
            return true;
    }
    if (watched == moSML && event->type() == QEvent::FocusIn)
        RunGuarded([this] { moSMLEnter(); });
    return QMainWindow::eventFilter(watched, event);
}

// --- Print, Exit, About ---

void TfrmOrvane::FilePrintItemClick()
{
    if (Dialogs().PrintDialog())
        Dialogs().MessageDlg(QStringLiteral("This function not implemented yet."),
                             TMsgDlgButtons::OK);
}

void TfrmOrvane::mnuFileExitItemClick()
{
    close();
}

void TfrmOrvane::mnuAboutClick()
{
    ShowAbout();
}

// --- The shared sequences ---

void TfrmOrvane::Batched(const std::function<void()> &steps)
{
    ++FBatchDepth;
    try {
        steps();
    } catch (...) {
        // The page shows what the steps changed before the error, then the error goes on.
        EndBatch();
        throw;
    }
    EndBatch();
}

void TfrmOrvane::EndBatch()
{
    if (--FBatchDepth == 0 && FRefreshPending) {
        FRefreshPending = false;
        RawXMLRefresh();
    }
}

void TfrmOrvane::RebindSequence()
{
    Batched([this] {
        KOVA_Station = GetKOVA_Station(*docSML);
        TitleBlockNode = KOVA_Station->Get_TitleBlock();
        EquipmentSetupNode = KOVA_Station->Get_EquipmentSetup();
    });
}

void TfrmOrvane::ShowPages()
{
    Batched([this] {
        TitleSMLToControls();
        AntennaSMLToControls();
        ReceiverSMLToControls();
    });
}

void TfrmOrvane::ShowSequence()
{
    ShowPages();
    RawXMLRefresh();
}

void TfrmOrvane::CollectSequence()
{
    CommitFocusedNumber();
    Batched([this] {
        TitleControlsToSML();
        AntennaControlsToSML();
        ReceiverControlsToSML();
    });
}

void TfrmOrvane::CommitFocusedNumber()
{
    // A save from a menu or a shortcut takes no focus, so a number still being typed
    // would not be committed and the document would get the old value while the field
    // shows the new one. Commit it as leaving the field would; invalid text stays
    // uncommitted and keeps its error state.
    auto *const field = qobject_cast<TNumericEntry *>(QApplication::focusWidget());
    if (field && isAncestorOf(field) && field->State() == TNumericEntry::TState::Editing)
        field->Commit();
}

void TfrmOrvane::RawXMLRefresh()
{
    if (docSML->Active())
        moSML->setPlainText(FormatXMLData(docSML->XML().join(QLatin1Char('\n'))));
    else
        moSML->clear();
}

void TfrmOrvane::TitleSMLToControls()
{
    StationPage->TitleSMLToControls(TitleBlockNode);
}

void TfrmOrvane::TitleControlsToSML()
{
    StationPage->TitleControlsToSML(TitleBlockNode, FSMLFileName, FJPGFileName, FWAVFileName);
}

// --- Public properties of the Station page ---

void TfrmOrvane::setStationConstellation(const QString &value)
{
    StationPage->edConstellationName->setText(value);
}
void TfrmOrvane::setStationTarget(const QString &value)
{
    StationPage->edTargetName->setText(value);
}
void TfrmOrvane::setConstellationID(qint32 value)
{
    StationPage->neConstID->SetValue(value);
}
void TfrmOrvane::setTargetID(qint32 value)
{
    StationPage->neTargetID->SetValue(value);
}
void TfrmOrvane::setScanID(qint32 value)
{
    StationPage->neScanID->SetValue(value);
}
void TfrmOrvane::setHitID(qint32 value)
{
    StationPage->neHitID->SetValue(value);
}
void TfrmOrvane::setKOVA_Data(qint32 value)
{
    StationPage->neKOVADataID->SetValue(value);
}
void TfrmOrvane::setFalsified(bool value)
{
    StationPage->cbFalsified->setChecked(value);
}
void TfrmOrvane::setSMLCreateDateTime(const QString &value)
{
    StationPage->edDateTimeUTC->setText(value);
}
void TfrmOrvane::setOperatingMode(const QString &value)
{
    StationPage->edOpMode->setText(value);
}
void TfrmOrvane::setStationGridSquare(const QString &value)
{
    StationPage->edGridSquare->setText(value);
}
void TfrmOrvane::setLatitude(float value)
{
    StationPage->neDecLat->SetValue(value);
}
void TfrmOrvane::setLongitude(float value)
{
    StationPage->neDecLon->SetValue(value);
}
QString TfrmOrvane::getSysOpName() const
{
    return StationPage->edSysOpName->text();
}
QString TfrmOrvane::getObserversNames() const
{
    return StationPage->edObserverNames->text();
}

// --- SML file workflow ---

void TfrmOrvane::ShowSMLActiveState()
{
    SetStatusPanel(1, docSML->Active() ? QStringLiteral("SML is Active")
                                       : QStringLiteral("SML NOT Active"));
}

bool TfrmOrvane::LoadDefaultSML()
{
    btnSMLSave->setEnabled(false);
    mnuSaveSML->setEnabled(false);
    btnSMLSaveAs->setEnabled(false);
    LoadGeneratedSML(*docSML);
    ShowSMLActiveState();
    RebindSequence();
    const IXMLKOVA_Station_TitleBlock_Files files = TitleBlockNode->Get_Files();
    files->Set_SML(QStringLiteral("<default>"));
    files->Set_WAV(FWAVFileName);
    files->Set_JPG(FJPGFileName);
    ShowSequence();
    btnSMLSave->setEnabled(false);
    mnuSaveSML->setEnabled(false);
    btnSMLSaveAs->setEnabled(true);
    FSMLFileName.clear();
    return docSML->Active();
}

void TfrmOrvane::btnDefaultSMLClick()
{
    if (Dialogs().MessageDlg(QStringLiteral("Default SML will overwrite any current. Continue?"),
                             TMsgDlgButtons::YesCancel) != TModalResult::Yes)
        return;
    const bool active = LoadDefaultSML();
    SetStatusPanel(1, active ? QStringLiteral("SML is Active") : QStringLiteral("SML NOT Active"));
}

void TfrmOrvane::OpenSML(const QString &FileName)
{
    if (FileName.isEmpty()) {
        Dialogs().MessageDlg(QStringLiteral("Orvane SML File is blank. Select and restart KOVA"),
                             TMsgDlgButtons::OK);
        return;
    }
    docSML->LoadFromFile(FileName);
    ShowSMLActiveState();
    RebindSequence();
    ShowPages();
    edSMLFileName->setText(ShortName(FileName));
    RawXMLRefresh();
}

void TfrmOrvane::btnOpenSMLFileClick()
{
    btnSMLSave->setEnabled(true);
    mnuSaveSML->setEnabled(true);
    TFileDialogSpec spec;
    spec.Title = QStringLiteral("SML File To Open");
    spec.Filter = SMLFilter;
    spec.InitialDir =
        dlgOpenSMLFileName.isEmpty() ? QDir::homePath() : QFileInfo(dlgOpenSMLFileName).path();
    spec.FileName = dlgOpenSMLFileName;
    const QString chosen = Dialogs().OpenFileName(spec);
    if (chosen.isEmpty())
        return;
    dlgOpenSMLFileName = chosen;
    FSMLFileName = chosen;
    OpenSML(chosen);
    btnSMLSave->setEnabled(true);
    btnSMLSaveAs->setEnabled(true);
}

bool TfrmOrvane::SaveSML(const QString &FileName)
{
    if (!docSML->Active()) {
        SetStatusPanel(5, QStringLiteral("... No SML saved."));
        return false;
    }
    SetGroupColour(*gbSML, ScrollBarColour());
    gbSML->setEnabled(false);
    QCoreApplication::processEvents();
    // Whatever happens below, the group's buttons (Open and Default SML among them) come back.
    struct TRestoreGroup {
        QGroupBox *Group;
        ~TRestoreGroup() { Group->setEnabled(true); }
    } restore{gbSML};
    // The typed nodes are taken afresh, as the WAV and JPG saves do: after a load whose
    // re-bind failed (a document that is no station document) they still belong to the
    // previous document, and the pages would be collected into it while the foreign
    // document went to the file. The re-bind refuses such a document before anything is
    // written.
    RebindSequence();
    CollectSequence();
    docSML->SaveToFile(FileName);
    edSMLFileName->setText(ShortName(FileName));
    SetGroupColour(*gbSML, ActiveCaptionGradientColour());
    return true;
}

void TfrmOrvane::btnSMLSaveClick()
{
    const QString target = dlgOpenSMLFileName;
    if (target.isEmpty())
        return;
    SetStatusPanel(1, QStringLiteral("... SAVE working..."));
    if (!SaveSML(target))
        return;
    FSMLFileName = target;
    SetStatusPanel(1, QStringLiteral("Save Complete"));
}

void TfrmOrvane::btnSMLSaveAsClick()
{
    btnSMLSave->setEnabled(true);
    mnuSaveSML->setEnabled(true);
    SetStatusPanel(1, QStringLiteral("... SaveAs working..."));
    TFileDialogSpec spec;
    spec.Filter = SMLFilter;
    spec.DefaultExt = QStringLiteral("xml");
    const QString chosen = Dialogs().SaveFileName(spec);
    if (chosen.isEmpty())
        return;
    StationPage->edDateTimeUTC->setText(DateTimeText(QDateTime::currentDateTimeUtc()));
    if (!SaveSML(chosen))
        return;
    FSMLFileName = chosen;
    SetStatusPanel(1, QStringLiteral("SaveAs Complete"));
}

void TfrmOrvane::btnRefreshSMLClick()
{
    if (!docSML->Active())
        return;
    Batched([this] {
        Logger().Info(QStringLiteral("Before TitleControlsToSML "));
        TitleControlsToSML();
        Logger().Info(QStringLiteral("After TitleControlsToSML "));
        Logger().Info(QStringLiteral("Before ReceiverControlsToSML; "));
        ReceiverControlsToSML();
        Logger().Info(QStringLiteral("After ReceiverControlsToSML; "));
        Logger().Info(QStringLiteral("Before  AntennaControlsToSML ; "));
        AntennaControlsToSML();
        Logger().Info(QStringLiteral("After  AntennaControlsToSML; "));
    });
}

void TfrmOrvane::moSMLEnter()
{
    RawXMLRefresh();
}

// --- Document notifications ---

void TfrmOrvane::docSMLAfterOpen()
{
    SetStatusPanel(1, QStringLiteral("Doc Now Open"));
    TStationPage &page = *StationPage;
    page.gbWavFile->setEnabled(true);
    SetGroupColour(*page.gbWavFile, ActiveCaptionGradientColour());
    SetGroupColour(*gbSML, ActiveCaptionGradientColour());
    mnuWAVFile->menuAction()->setEnabled(true);
    page.btnWaveFileOpen->setEnabled(true);
    page.btnSaveWAV->setEnabled(false);
    page.btnSaveAsWAV->setEnabled(false);
    page.gbJPGFile->setEnabled(true);
    SetGroupColour(*page.gbJPGFile, ActiveCaptionGradientColour());
    mnuJPGFile->menuAction()->setEnabled(true);
    page.btnJPGFileOpen->setEnabled(true);
    page.btnSaveJPG->setEnabled(false);
    page.btnSaveAsJPG->setEnabled(false);
    btnSMLSaveAs->setEnabled(true);
    ledSMLOpen->SetLit(true);
}

void TfrmOrvane::docSMLBeforeClose()
{
    SetStatusPanel(1, QStringLiteral("Doc about to close"));
    SetGroupColour(*StationPage->gbWavFile, ScrollBarColour());
    SetGroupColour(*StationPage->gbJPGFile, ScrollBarColour());
    SetGroupColour(*gbSML, ScrollBarColour());
    mnuWAVFile->menuAction()->setEnabled(false);
    mnuJPGFile->menuAction()->setEnabled(false);
    ledSMLOpen->SetLit(false);
}

void TfrmOrvane::docSMLAfterClose()
{
    ledSMLOpen->SetLit(false);
    StationPage->gbWavFile->setEnabled(false);
    StationPage->gbJPGFile->setEnabled(false);
    mnuWAVFile->menuAction()->setEnabled(false);
    mnuJPGFile->menuAction()->setEnabled(false);
}

void TfrmOrvane::docSMLAfterNodeChange()
{
    if (FBatchDepth > 0)
        FRefreshPending = true;
    else
        RawXMLRefresh();
}
