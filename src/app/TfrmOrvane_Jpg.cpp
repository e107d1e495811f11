// The main window's JPG tagging: open a picture, show it, take over the SML document
// it carries, write the current document into it as a new comment segment.
#include "app/TfrmOrvane.h"

#include "app/GroupColour.h"
#include "app/TSaveProgress.h"
#include "editor/TIndicatorLight.h"
#include "editor/TStationPage.h"
#include "media/JpegDecode.h"
#include "media/JpgStationDocument.h"
#include "media/JpgTagging.h"

#include <QAction>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

namespace
{

const QSize PreviewSize(181, 137);

} // namespace

void TfrmOrvane::SetJpgSavesEnabled(bool enabled)
{
    StationPage->btnSaveJPG->setEnabled(enabled);
    StationPage->btnSaveAsJPG->setEnabled(enabled);
    mnuTagSaveJPG->setEnabled(enabled);
    mnuTagSaveJPGAs->setEnabled(enabled);
}

void TfrmOrvane::OpenJPG(const QString &FileName)
{
    TStationPage &page = *StationPage;
    // Until the picture is read and shown there is nothing to save into.
    msJPG.reset();
    SetJpgSavesEnabled(false);
    try {
        msJPG = TByteStream::LoadFromFile(FileName);
    } catch (const std::exception &) {
        Dialogs().MessageDlg(QFileInfo(FileName).fileName() +
                                 QStringLiteral(" is invalid or not a recognized JPG format"),
                             TMsgDlgButtons::OK);
        page.ledJPGOpen->SetLit(false);
        return;
    }
    const QString shortName = ShortName(FileName);
    page.edJPGFileName->setText(shortName);
    QImage preview;
    try {
        preview = DecodeJpeg(msJPG->Bytes(), PreviewSize);
    } catch (const std::exception &) {
        // A file that is no picture is not tagged either.
        msJPG.reset();
        page.ledJPGOpen->SetLit(false);
        throw;
    }
    page.JvImage1->setPixmap(QPixmap::fromImage(
        preview.scaled(PreviewSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));

    const std::optional<TJpgStationDocument> found = FindStationDocument(msJPG->Bytes());
    if (!found) {
        SetStatusPanel(5, shortName + QStringLiteral(" No SML"));
        page.ledJPGOpen->SetLit(true);
        SetJpgSavesEnabled(true);
        return;
    }
    switch (AskTakeOverSML(shortName)) {
    case TModalResult::Yes:
        docSML->ClearXML();
        docSML->LoadFromXML(found->Text);
        ShowTakenOverSML();
        page.ledJPGOpen->SetLit(true);
        SetJpgSavesEnabled(true);
        break;
    case TModalResult::No:
        page.ledJPGOpen->SetLit(true);
        SetJpgSavesEnabled(true);
        break;
    default:
        page.edJPGFileName->setText(QStringLiteral("No JPG Selected"));
        msJPG.reset();
        page.ledJPGOpen->SetLit(false);
        break;
    }
}

bool TfrmOrvane::SaveJPG(const QString &FileName)
{
    QGroupBox &group = *StationPage->gbJPGFile;
    group.setEnabled(false);
    SetGroupColour(group, ScrollBarColour());
    TSaveProgress::LetPaint();
    struct TRestoreGroup {
        TfrmOrvane &Window;
        ~TRestoreGroup() { Window.StationPage->gbJPGFile->setEnabled(Window.docSML->Active()); }
    } restore{*this};

    RebindSequence();
    CollectSequence();
    if (!msJPG || msJPG->Size() == 0) {
        Dialogs().MessageDlg(
            QStringLiteral("No JPG picture is loaded: open the JPG file again to tag it.\r\n"
                           "Nothing was saved."),
            TMsgDlgButtons::OK);
        SetGroupColour(group, ActiveCaptionGradientColour());
        return false;
    }
    RawXMLRefresh();
    if (QFileInfo::exists(FileName)) {
        SetStatusPanel(2, QStringLiteral("File Exists.  "));
    } else {
        SetStatusPanel(2, QStringLiteral("File Does Not Exist so creating"));
        StationPage->edJPGFileName->setText(ShortName(FileName));
    }
    {
        TSaveProgress progress(
            *this, [this](const QString &text) { SetStatusPanel(5, text); },
            QStringLiteral("Saving JPG file"), StatusPanel(5));
        TagJpgPicture(msJPG->Bytes(), dlgOpenJPGFileName, FileName, moSML->toPlainText(),
                      progress.Callback());
    }
    // The picture is written; a new save needs the picture opened again.
    msJPG.reset();
    SetJpgSavesEnabled(false);
    SetGroupColour(group, ActiveCaptionGradientColour());
    SetStatusPanel(5, QStringLiteral("... JPG save complete"));
    return true;
}

void TfrmOrvane::btnJPGFileOpenClick()
{
    TFileDialogSpec spec;
    spec.Title = QStringLiteral("JPG FIle to Open");
    spec.Filter = QStringLiteral("JPG Files (*.jpg)|*.jpg");
    spec.InitialDir = dlgOpenJPGFileName.isEmpty() ? QStringLiteral("user")
                                                   : QFileInfo(dlgOpenJPGFileName).path();
    spec.FileName = dlgOpenJPGFileName;
    const QString chosen = Dialogs().OpenFileName(spec);
    if (chosen.isEmpty())
        return;
    dlgOpenJPGFileName = chosen;
    FJPGFileName = chosen;
    OpenJPG(FJPGFileName);
}

void TfrmOrvane::btnSaveJPGClick()
{
    if (!dlgOpenJPGFileName.isEmpty()) {
        // The document records the picture it is written into, also after a Save As.
        FJPGFileName = dlgOpenJPGFileName;
        SaveJPG(dlgOpenJPGFileName);
    }
    StationPage->edJPGFileName->setText(ShortName(dlgOpenJPGFileName));
}

void TfrmOrvane::btnSaveAsJPGClick()
{
    TFileDialogSpec spec;
    spec.Filter = QStringLiteral("JPG Files (*.JPG)|*.jpg");
    spec.DefaultExt = QStringLiteral("jpg");
    const QString chosen = Dialogs().SaveFileName(spec);
    if (chosen.isEmpty())
        return;
    FJPGFileName = chosen;
    StationPage->edJPGFileName->setText(ShortName(FJPGFileName));
    SaveJPG(FJPGFileName);
}
