// The main window: owns the current SML document and everything around it (the
// main window state), the six pages, the menu bar and the status bar, the start-up
// and close steps with the per-user settings, and the SML file workflow with the
// re-bind, show and collect sequences that every workflow uses.
#pragma once

#include "Riff/TRiffRW.h"
#include "app/IUserDialogs.h"
#include "editor/TAntennaPage.h"
#include "editor/TReceiverPage.h"
#include "media/TByteStream.h"
#include "sml/KOVA_SML.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAbstractButton;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;
class TIndicatorLight;
class TLogPage;
class TStationPage;

class TfrmOrvane : public QMainWindow
{
    Q_OBJECT

public:
    // Creates the window and runs its start-up steps (FormCreate): settings, hint switch,
    // first document. settingsFile names the settings file; empty means the per-user store
    // ("KOVA Net" / "Orvane"). An error during start-up is shown by the general error
    // report and ends the start-up steps; the window exists all the same.
    explicit TfrmOrvane(std::unique_ptr<IUserDialogs> dialogs, const QString &settingsFile = {},
                        QWidget *parent = nullptr);
    ~TfrmOrvane() override;

    // The program's dialogs; every message box and file dialog goes through them.
    IUserDialogs &Dialogs() { return *FDialogs; }

    // Runs an event handler; an error escaping it ends it and is shown by the general error
    // report (message box titled "Orvane" with an error icon). Returns false after an error.
    bool RunGuarded(const std::function<void()> &handler);
    // The general error report of e: a message box titled "Orvane" with an error icon.
    void ReportError(const std::exception &e);

    // Status bar panels 0 to 5; an index outside them is ignored (reads as empty).
    QString StatusPanel(int index) const;
    void SetStatusPanel(int index, const QString &text);

    // The short display name of path in the window's font (170 pixels).
    QString ShortName(const QString &path) const;

    // The settings file in use (the per-user store when none was given).
    QString SettingsFileName() const;

    // --- The shared sequences (every workflow moves documents through them) ---
    // Takes the typed root, title block and equipment setup afresh from docSML.
    void RebindSequence();
    // The three pages' show steps, then the raw XML refresh.
    void ShowSequence();
    // The page half of the show sequence: Station, Antenna, Receiver.
    void ShowPages();
    // The three pages' collect steps: Station, Antenna, Receiver.
    void CollectSequence();
    // Commits a number being typed into this window's focused field (nothing when none is).
    void CommitFocusedNumber();
    // Replaces the raw XML page with the re-indented text of the active document.
    void RawXMLRefresh();

    void TitleSMLToControls();
    void TitleControlsToSML();
    // The Antenna and Receiver pages' show and collect steps on EquipmentSetupNode.
    std::function<void()> AntennaSMLToControls = [] {};
    std::function<void()> AntennaControlsToSML = [] {};
    std::function<void()> ReceiverSMLToControls = [] {};
    std::function<void()> ReceiverControlsToSML = [] {};

    // --- SML file operations ---
    // Loads the built-in default document; true when the document is active afterwards.
    bool LoadDefaultSML();
    // Loads the SML file; an empty name only shows "Orvane SML File is blank. Select and
    // restart KOVA". Throws the document's load error.
    void OpenSML(const QString &FileName);
    // Collects the pages and writes the document to FileName (atomically). Without an
    // active document it shows "... No SML saved." in panel 5 and returns false.
    bool SaveSML(const QString &FileName);

    // --- WAV and JPG tagging ---
    // Opens the recording and offers its SML document; load errors and corrupt files are
    // reported in status panel 5 and leave no recording loaded (saves disabled).
    void OpenWAVfile(const QString &FileName);
    // Collects the pages and writes the recording with the document as its last "SML "
    // chunk to FileName (in place onto the opened file, atomically elsewhere). Without a
    // loaded recording shows "No WAVRiff..." and writes nothing; returns false then.
    bool SaveWAV(const QString &FileName);
    // Opens the picture, shows it and offers its SML document; an unreadable file is
    // reported in a message box and leaves no picture loaded (saves disabled).
    void OpenJPG(const QString &FileName);
    // Collects the pages and writes the picture with the document in a new comment
    // segment to FileName, atomically; the picture bytes are released afterwards. Without
    // picture bytes shows a notice and writes nothing; returns false then.
    bool SaveJPG(const QString &FileName);
    void btnWaveFileOpenClick();
    void btnSaveWAVClick();
    void btnSaveAsWAVClick();
    void btnJPGFileOpenClick();
    void btnSaveJPGClick();
    void btnSaveAsJPGClick();
    // The files last chosen in the WAV and JPG open dialogs: the targets of "Tag && Save".
    QString dlgOpenWAVFileName;
    QString dlgOpenJPGFileName;

    // --- Command and notification handlers ---
    void btnDefaultSMLClick();
    void btnOpenSMLFileClick();
    void btnSMLSaveClick();
    void btnSMLSaveAsClick();
    void btnRefreshSMLClick();
    void moSMLEnter();
    void docSMLAfterOpen();
    void docSMLBeforeClose();
    void docSMLAfterClose();
    void docSMLAfterNodeChange();
    void mnuShowHintsClick();
    void FilePrintItemClick();
    void mnuFileExitItemClick();
    void mnuAboutClick();

    // Shown by Help / "About"; set by the program entry after creating the About box.
    std::function<void()> ShowAbout = [] {};

    // --- Public properties of the Station page and the file names ---
    // They fill single fields of the Station page and never write the document.
    void setStationConstellation(const QString &value);
    void setStationTarget(const QString &value);
    void setConstellationID(qint32 value);
    void setTargetID(qint32 value);
    void setScanID(qint32 value);
    void setHitID(qint32 value);
    void setKOVA_Data(qint32 value);
    void setFalsified(bool value);
    void setSMLCreateDateTime(const QString &value);
    void setOperatingMode(const QString &value);
    void setStationGridSquare(const QString &value);
    void setLatitude(float value);
    void setLongitude(float value);
    QString getSysOpName() const;
    QString getObserversNames() const;
    QString SMLFileName() const { return FSMLFileName; }
    void SetSMLFileName(const QString &name) { FSMLFileName = name; }
    void SetJPGFileName(const QString &name) { FJPGFileName = name; }
    void SetWAVFileName(const QString &name) { FWAVFileName = name; }
    bool InUse() const { return FInUse; }
    void SetInUse(bool inUse) { FInUse = inUse; }

    // --- Public properties of the Antenna and Receiver pages ---
    // They fill single fields and never write the document, except setFrequency, which
    // collects the Receiver page when the shown hit frequency changes.
    void setMountType(TMount value) { AntennaPage->setMountType(value); }
    void setAzimuth(float value) { AntennaPage->setAzimuth(value); }
    void setElevation(float value) { AntennaPage->setElevation(value); }
    void setDeclination(float value) { AntennaPage->setDeclination(value); }
    void setRightAscension(float value) { AntennaPage->setRightAscension(value); }
    void setAzimuthMinimum(float value) { AntennaPage->setAzimuthMinimum(value); }
    void setAzimuthMaximum(float value) { AntennaPage->setAzimuthMaximum(value); }
    void setElevationMinimum(float value) { AntennaPage->setElevationMinimum(value); }
    void setElevationMaximum(float value) { AntennaPage->setElevationMaximum(value); }
    void setSkyMapLocked(bool value) { AntennaPage->setSkyMapLocked(value); }
    void setBPFInSystem(bool value) { AntennaPage->setBPFInSystem(value); }
    void setFrequency(qint64 value) { ReceiverPage->setFrequency(value); }
    void setCenterFrequency(qint64 value) { ReceiverPage->setCenterFrequency(value); }
    void setChirp(float value) { ReceiverPage->setChirp(value); }
    void setETBin(qint32 value) { ReceiverPage->setETBin(value); }
    void setAmplitude(float value) { ReceiverPage->setAmplitude(value); }
    void setAmbiant(float value) { ReceiverPage->setAmbiant(value); }
    void setBandWidth(qint32 value) { ReceiverPage->setBandWidth(value); }
    void setVerticalRange(float value) { ReceiverPage->setVerticalRange(value); }
    void setFFTSize(qint32 value) { ReceiverPage->setFFTSize(value); }
    void setIntegration(qint32 value) { ReceiverPage->setIntegration(value); }
    void setThreshold(qint32 value) { ReceiverPage->setThreshold(value); }
    void setSegmentSize(qint32 value) { ReceiverPage->setSegmentSize(value); }
    void setLinesPerFrame(qint32 value) { ReceiverPage->setLinesPerFrame(value); }
    void setBinWidth(float value) { ReceiverPage->setBinWidth(value); }

    // --- Main window state ---
    std::unique_ptr<TXMLDocument> docSML;
    IXMLKOVA_Station KOVA_Station;
    IXMLKOVA_Station_TitleBlock TitleBlockNode;
    IXMLKOVA_Station_EquipmentSetup EquipmentSetupNode;
    QString FSMLFileName;
    QString FWAVFileName;
    QString FJPGFileName;
    IRiffRW WAVRiff;
    std::optional<TByteStream> msJPG;
    bool FInUse = false;
    // The file last chosen in the SML open dialog: the target of Save.
    QString dlgOpenSMLFileName;

    // --- Controls ---
    QTabWidget *pcOrvane = nullptr;
    QWidget *tsKOVAStation = nullptr;
    QWidget *tsAntenna = nullptr;
    QWidget *tsReceiver = nullptr;
    QWidget *tsXML = nullptr;
    QWidget *tsPrototypeBlockDiagram = nullptr;
    TLogPage *tsLog = nullptr;
    TStationPage *StationPage = nullptr;
    TAntennaPage *AntennaPage = nullptr;
    TReceiverPage *ReceiverPage = nullptr;

    QGroupBox *gbSML = nullptr;
    TIndicatorLight *ledSMLOpen = nullptr;
    QPushButton *btnOpenSMLFile = nullptr;
    QPushButton *btnSMLSave = nullptr;
    QPushButton *btnSMLSaveAs = nullptr;
    QPushButton *btnDefaultSML = nullptr;
    QLineEdit *edSMLFileName = nullptr;

    QWidget *pnlSML = nullptr;
    QPushButton *btnRefreshSML = nullptr;
    QPlainTextEdit *moSML = nullptr;
    QLabel *imgBlockDiagram = nullptr;

    QStatusBar *sbOrvane = nullptr;

    QMenu *mnuSMLFile = nullptr;
    QAction *mnuDefaultSML = nullptr;
    QAction *mnuSMLFileOpen = nullptr;
    QAction *mnuSaveSML = nullptr;
    QAction *mnuSaveSMLAs = nullptr;
    QAction *FilePrintItem = nullptr;
    QAction *mnuPrintSetup = nullptr;
    QAction *mnuFileExitItem = nullptr;
    QMenu *mnuWAVFile = nullptr;
    QAction *mnuOpenWAV = nullptr;
    QAction *mnuTagSaveWAV = nullptr;
    QAction *mnuTagSaveWAVAs = nullptr;
    QMenu *mnuJPGFile = nullptr;
    QAction *mnuOpenJPG = nullptr;
    QAction *mnuTagSaveJPG = nullptr;
    QAction *mnuTagSaveJPGAs = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuShowHints = nullptr;
    QAction *mnuAbout = nullptr;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildMenus();
    void BuildStatusBar();
    void BuildPages();
    QWidget *BuildSMLGroup();
    QWidget *BuildRawXMLPage();
    QWidget *BuildBlockDiagramPage();
    // Connects the Antenna and Receiver pages' steps to EquipmentSetupNode.
    void HostEquipmentPages();
    void BindDocument();
    void Bind(QAbstractButton *button, void (TfrmOrvane::*handler)());
    void Bind(QAction *action, void (TfrmOrvane::*handler)());

    void FormCreate();
    void ReadSettings();
    void FormClose();
    void WriteSettings();
    void ApplyHintSwitch(bool on);
    // Runs steps with the raw XML page refreshed once at their end (also after an error) for
    // all the node changes they make, instead of after each one: nothing is drawn in between.
    void Batched(const std::function<void()> &steps);
    void EndBatch();
    void ShowSMLActiveState();
    // WAV and JPG tagging: binds their buttons and menu entries.
    void BuildMediaWorkflows();
    void SetWavSavesEnabled(bool enabled);
    void SetJpgSavesEnabled(bool enabled);
    bool WavLoaded() const;
    // The question whether the SML found in the named file replaces the current one.
    TModalResult AskTakeOverSML(const QString &shortName);
    // Shows the document just loaded from a recording or picture: raw XML page, re-bind,
    // pages.
    void ShowTakenOverSML();

    std::unique_ptr<IUserDialogs> FDialogs;
    QString FSettingsFile;
    std::array<QLabel *, 6> FPanels{};
    int FBatchDepth = 0;
    bool FRefreshPending = false;
};
