// The main window's parts shared by the WAV and JPG tagging: binding their commands,
// the take-over question and showing a document taken over from a file.
#include "app/TfrmOrvane.h"

#include "editor/TStationPage.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>

void TfrmOrvane::BuildMediaWorkflows()
{
    TStationPage &page = *StationPage;
    Bind(page.btnWaveFileOpen, &TfrmOrvane::btnWaveFileOpenClick);
    Bind(page.btnSaveWAV, &TfrmOrvane::btnSaveWAVClick);
    Bind(page.btnSaveAsWAV, &TfrmOrvane::btnSaveAsWAVClick);
    Bind(mnuOpenWAV, &TfrmOrvane::btnWaveFileOpenClick);
    Bind(mnuTagSaveWAV, &TfrmOrvane::btnSaveWAVClick);
    Bind(mnuTagSaveWAVAs, &TfrmOrvane::btnSaveAsWAVClick);
    Bind(page.btnJPGFileOpen, &TfrmOrvane::btnJPGFileOpenClick);
    Bind(page.btnSaveJPG, &TfrmOrvane::btnSaveJPGClick);
    Bind(page.btnSaveAsJPG, &TfrmOrvane::btnSaveAsJPGClick);
    Bind(mnuOpenJPG, &TfrmOrvane::btnJPGFileOpenClick);
    Bind(mnuTagSaveJPG, &TfrmOrvane::btnSaveJPGClick);
    Bind(mnuTagSaveJPGAs, &TfrmOrvane::btnSaveAsJPGClick);
    // Nothing is loaded yet: a save could only write a file holding the tag alone.
    SetWavSavesEnabled(false);
    SetJpgSavesEnabled(false);
}

TModalResult TfrmOrvane::AskTakeOverSML(const QString &shortName)
{
    return Dialogs().MessageDlg(QStringLiteral("File: '") + shortName +
                                    QStringLiteral("' Contains SML \r\n") +
                                    QStringLiteral(" - Yes to Overwrite current SML from this "
                                                   "file. \r\n - No Don't change current SML"),
                                TMsgDlgButtons::YesNoCancel);
}

void TfrmOrvane::ShowTakenOverSML()
{
    moSML->clear();
    moSML->setPlainText(docSML->XML().join(QLatin1Char('\n')));
    RebindSequence();
    ShowPages();
}
