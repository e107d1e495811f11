// The main window's WAV tagging: open a recording, take over the SML document it
// carries, write the current document into it as its last "SML " chunk.
#include "app/TfrmOrvane.h"

#include "app/GroupColour.h"
#include "app/TSaveProgress.h"
#include "editor/TIndicatorLight.h"
#include "editor/TStationPage.h"
#include "media/WavTagging.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace
{

const TFourCC FormatId("fmt ");
const TFourCC DataId("data");
const TFourCC SMLId("SML ");
const QString WavFilter = QStringLiteral("Wav Files (*.wav)|*.wav");

} // namespace

void TfrmOrvane::SetWavSavesEnabled(bool enabled)
{
    StationPage->btnSaveWAV->setEnabled(enabled);
    StationPage->btnSaveAsWAV->setEnabled(enabled);
    mnuTagSaveWAV->setEnabled(enabled);
    mnuTagSaveWAVAs->setEnabled(enabled);
}

bool TfrmOrvane::WavLoaded() const
{
    return WAVRiff && WAVRiff->IndexOf(FormatId) >= 0 && WAVRiff->IndexOf(DataId) >= 0;
}

void TfrmOrvane::OpenWAVfile(const QString &FileName)
{
    TStationPage &page = *StationPage;
    const QString shortName = ShortName(FileName);
    page.ledWAVOpen->SetLit(false);
    page.edWAVFileName->setText(shortName);

    // Whatever is not loaded completely below leaves no recording to save into.
    const auto emptyContainer = [this] {
        WAVRiff->Clear();
        SetWavSavesEnabled(false);
    };
    WAVRiff = CreateRiffRW();
    try {
        WAVRiff->LoadFromFile(FileName);
    } catch (const std::exception &) {
        SetStatusPanel(5, QStringLiteral("Error Loading file."));
        emptyContainer();
        return;
    }
    if (!WavLoaded()) {
        SetStatusPanel(5, QStringLiteral("Corrupt file: ") + shortName);
        emptyContainer();
        Dialogs().MessageDlg(QStringLiteral("This WAV File is corrupt..."), TMsgDlgButtons::OK);
        return;
    }
    const int sml = WAVRiff->IndexOf(SMLId);
    if (sml < 0) {
        SetStatusPanel(5, shortName + QStringLiteral(" No SML"));
        page.ledWAVOpen->SetLit(true);
        SetWavSavesEnabled(true);
        return;
    }
    switch (AskTakeOverSML(shortName)) {
    case TModalResult::Yes:
        docSML->LoadFromStream(WAVRiff->ReadChunk(sml));
        ShowTakenOverSML();
        page.ledWAVOpen->SetLit(true);
        SetWavSavesEnabled(true);
        // The Station page showed the WAV name the document records.
        page.edWAVFileName->setText(shortName);
        break;
    case TModalResult::No:
        page.ledWAVOpen->SetLit(true);
        SetWavSavesEnabled(true);
        break;
    default:
        emptyContainer();
        page.ledWAVOpen->SetLit(false);
        break;
    }
}

bool TfrmOrvane::SaveWAV(const QString &FileName)
{
    QGroupBox &group = *StationPage->gbWavFile;
    SetStatusPanel(5, QStringLiteral("Start Saving WAV file"));
    group.setEnabled(false);
    SetGroupColour(group, ScrollBarColour());
    TSaveProgress::LetPaint();
    // The group comes back after a refusal or a failed write too (the file is untouched
    // then), as long as there is a document to work with.
    struct TRestoreGroup {
        TfrmOrvane &Window;
        ~TRestoreGroup() { Window.StationPage->gbWavFile->setEnabled(Window.docSML->Active()); }
    } restore{*this};

    RebindSequence();
    CollectSequence();
    if (!WavLoaded()) {
        Dialogs().MessageDlg(QStringLiteral("No WAVRiff..."), TMsgDlgButtons::OK);
        SetGroupColour(group, ScrollBarColour());
        return false;
    }
    // The raw XML page shows exactly the document, whatever was typed into it.
    RawXMLRefresh();
    {
        TSaveProgress progress(
            *this, [this](const QString &text) { SetStatusPanel(5, text); },
            QStringLiteral("Saving WAV file"), StatusPanel(5));
        TagWavRiff(*WAVRiff, FileName, moSML->toPlainText(), progress.Callback());
    }
    SetGroupColour(group, ActiveCaptionGradientColour());
    SetStatusPanel(5, QStringLiteral("... WAV save complete"));
    return true;
}

void TfrmOrvane::btnWaveFileOpenClick()
{
    TFileDialogSpec spec;
    spec.Title = QStringLiteral("WAV File to modify");
    spec.Filter = WavFilter;
    spec.DefaultExt = QStringLiteral("WAV");
    spec.InitialDir =
        dlgOpenWAVFileName.isEmpty() ? QDir::homePath() : QFileInfo(dlgOpenWAVFileName).path();
    spec.FileName = dlgOpenWAVFileName;
    const QString chosen = Dialogs().OpenFileName(spec);
    if (chosen.isEmpty())
        return;
    dlgOpenWAVFileName = chosen;
    FWAVFileName = chosen;
    OpenWAVfile(FWAVFileName);
}

void TfrmOrvane::btnSaveWAVClick()
{
    if (!dlgOpenWAVFileName.isEmpty()) {
        // The document records the recording it is written into, also after a Save As.
        FWAVFileName = dlgOpenWAVFileName;
        SaveWAV(dlgOpenWAVFileName);
    }
    StationPage->edWAVFileName->setText(ShortName(dlgOpenWAVFileName));
}

void TfrmOrvane::btnSaveAsWAVClick()
{
    TFileDialogSpec spec;
    spec.Filter = WavFilter;
    spec.DefaultExt = QStringLiteral("WAV");
    const QString chosen = Dialogs().SaveFileName(spec);
    if (chosen.isEmpty())
        return;
    FWAVFileName = chosen;
    StationPage->edWAVFileName->setText(ShortName(FWAVFileName));
    SaveWAV(FWAVFileName);
}
