#include "editor/TStationPage.h"

#include "editor/Hint.h"
#include "editor/ShortDisplayName.h"
#include "editor/TIndicatorLight.h"
#include "editor/TNumericEntry.h"
#include "sml/FloatText.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace
{

template <class W> W *named(W *widget, const char *name, const QString &hint = QString())
{
    widget->setObjectName(QLatin1String(name));
    if (!hint.isNull())
        ApplyHint(*widget, hint);
    return widget;
}

QLabel *label(const QString &text, const char *name)
{
    return named(new QLabel(text), name);
}

QLineEdit *edit(const QString &initial, const char *name, const QString &hint = QString())
{
    return named(new QLineEdit(initial), name, hint);
}

QLineEdit *fileNameBox(const QString &initial, const char *name, const QString &hint)
{
    QLineEdit *box = edit(initial, name, hint);
    box->setReadOnly(true);
    return box;
}

QPushButton *button(const QString &caption, const char *name, const QString &hint, bool enabled)
{
    QPushButton *b = named(new QPushButton(caption), name, hint);
    b->setEnabled(enabled);
    return b;
}

QGroupBox *group(const QString &caption, const char *name, const QString &hint = QString())
{
    return named(new QGroupBox(caption), name, hint);
}

// A number field of the page: format, increment 1, no limits, value 0.
TNumericEntry *numberField(const QString &format, const char *name, bool typing,
                           const QString &hint = QString())
{
    auto *field = named(new TNumericEntry, name, hint);
    field->SetFormatStr(format);
    field->SetIncrement(1);
    field->SetEditorEnabled(typing);
    return field;
}

// The attribute's text when the element has it, else the fall-back.
QString attributeOr(const IXMLNode &element, const QString &name, const QString &fallBack)
{
    return element->HasAttribute(name) ? element->GetAttribute(name).value_or(QString()) : fallBack;
}

// A single-precision position attribute; 0 when it is missing, not a number or out
// of the single range, so
// that a document without a position still shows completely.
double positionOf(const IXMLNode &location, const QString &name)
{
    const std::optional<QString> text = location->GetAttribute(name);
    const std::optional<double> value = text ? XMLTextToDouble(*text) : std::nullopt;
    const bool fits = value && std::fabs(*value) <= std::numeric_limits<float>::max();
    return fits ? static_cast<float>(*value) : 0.0;
}

} // namespace

TStationPage::TStationPage(QWidget *parent) : QWidget(parent)
{
    lblTitleBlock = label(QStringLiteral("KOVA Station"), "lblTitleBlock");
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(29);
    titleFont.setBold(true);
    lblTitleBlock->setFont(titleFont);
    lblTitleBlock->setStyleSheet(QStringLiteral("color: #800000;"));
    LblHints = label(QStringLiteral("LblHints"), "LblHints");

    auto *heading = new QHBoxLayout;
    heading->addWidget(lblTitleBlock);
    heading->addStretch();
    heading->addWidget(LblHints, 0, Qt::AlignBottom);

    JvImage1 = label(QString(), "JvImage1");
    JvImage1->setFixedSize(181, 137);
    JvImage1->setScaledContents(true);
    JvImage1->setFrameShape(QFrame::StyledPanel);

    auto *pictureColumn = new QVBoxLayout;
    pictureColumn->addWidget(JvImage1);
    pictureColumn->addWidget(BuildOpMode());
    pictureColumn->addStretch();

    auto *grid = new QGridLayout;
    grid->addWidget(BuildTarget(), 0, 0);
    grid->addWidget(BuildVersion(), 0, 1);
    grid->addLayout(pictureColumn, 0, 2);
    grid->addWidget(BuildPersonell(), 1, 0);
    grid->addWidget(BuildLocation(), 1, 1, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);

    auto *page = new QVBoxLayout(this);
    page->addLayout(heading);
    page->addLayout(grid);
    page->addWidget(BuildFiles());
    page->addStretch();
}

QWidget *TStationPage::BuildTarget()
{
    gbTarget = group(QStringLiteral("Target"), "gbTarget",
                     QStringLiteral("Target|Target Information - AutoFIlled"));
    lblConst = label(QStringLiteral("Constellation:"), "lblConst");
    edConstellationName = edit(QString(), "edConstellationName",
                               QStringLiteral("Constellation|Location of the Target"));
    lblTarget = label(QStringLiteral("Target:"), "lblTarget");
    edTargetName =
        edit(QString(), "edTargetName", QStringLiteral("Star:Star name or other target"));
    cbFalsified = named(new QCheckBox(QStringLiteral("Falsified")), "cbFalsified",
                        QStringLiteral("Not ET|Shows that this hit as been examined and rejected"));
    // Shown, never changed by the user: the verdict comes from the database.
    cbFalsified->setEnabled(false);
    lblHitNote = label(QStringLiteral("Note:"), "lblHitNote");
    edTargetNote = edit(QString(), "edTargetNote",
                        QStringLiteral("Title Note|Add any note about this hit here"));

    gbID = group(QStringLiteral("dB ID's"), "gbID");
    struct IdField {
        TNumericEntry *&field;
        QLabel *&caption;
        const char *fieldName;
        const char *captionName;
        const char *text;
        const char *hint;
    };
    const IdField ids[] = {
        {neConstID, lblConstID, "neConstID", "lblConstID", "Constellation", "Index|dB index"},
        {neTargetID, lblTargetID, "neTargetID", "lblTargetID", "Target", "Index|dB index"},
        {neScanID, lblScanID, "neScanID", "lblScanID", "Scan", "ScanID|dB index"},
        {neHitID, lblHitID, "neHitID", "lblHitID", "Hit", "HitID|dB index"},
        {neKOVADataID, lblKOVADataID, "neKOVADataID", "lblKOVADataID", "KOVA Data",
         "KOVA_DataIdB index"},
    };
    auto *idGrid = new QGridLayout(gbID);
    idGrid->setHorizontalSpacing(4);
    int column = 0;
    for (const IdField &id : ids) {
        id.caption = label(QString::fromLatin1(id.text), id.captionName);
        id.field =
            numberField(QStringLiteral("#0.#"), id.fieldName, false, QString::fromLatin1(id.hint));
        idGrid->addWidget(id.caption, 0, column);
        id.field->setMinimumWidth(
            id.field->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
        idGrid->addWidget(id.field, 1, column);
        ++column;
    }

    auto *layout = new QGridLayout(gbTarget);
    layout->addWidget(lblConst, 0, 0);
    layout->addWidget(edConstellationName, 0, 1, 1, 2);
    layout->addWidget(lblTarget, 1, 0);
    layout->addWidget(edTargetName, 1, 1);
    layout->addWidget(cbFalsified, 1, 2);
    layout->addWidget(gbID, 2, 0, 1, 3);
    layout->addWidget(lblHitNote, 3, 0);
    layout->addWidget(edTargetNote, 3, 1, 1, 2);
    layout->setColumnStretch(1, 1);
    return gbTarget;
}

QWidget *TStationPage::BuildPersonell()
{
    gbPersonell = group(QStringLiteral("Personell"), "gbPersonell");
    lblOperatorName = label(QStringLiteral("SysOp:"), "lblOperatorName");
    edSysOpName = edit(QString(), "edSysOpName",
                       QStringLiteral(" Operator|Station Operator (usually your name )"));
    lblObserverName = label(QStringLiteral("Observer:"), "lblObserverName");
    edObserverNames = edit(QStringLiteral("none"), "edObserverNames",
                           QStringLiteral("Observers|List of observers during the scan"));
    auto *layout = new QFormLayout(gbPersonell);
    layout->addRow(lblOperatorName, edSysOpName);
    layout->addRow(lblObserverName, edObserverNames);
    return gbPersonell;
}

QWidget *TStationPage::BuildLocation()
{
    gbStationLocation =
        group(QStringLiteral("Station Location and Grid Square  Identifier"), "gbStationLocation",
              QStringLiteral("Location|Filled from Mount - autofill"));
    lblStationID = label(QStringLiteral("Station ID (Grid Square)"), "lblStationID");
    edGridSquare = edit(QStringLiteral("text"), "edGridSquare",
                        QStringLiteral("Station|Stations Grid Square - from Mount"));
    QFont gridFont = edGridSquare->font();
    gridFont.setPixelSize(16);
    edGridSquare->setFont(gridFont);
    lblLat = label(QStringLiteral("Lat:"), "lblLat");
    neDecLat = numberField(QStringLiteral("#0.0#"), "neDecLat", true);
    lblLon = label(QStringLiteral("Lon:"), "lblLon");
    neDecLon = numberField(QStringLiteral("#0.0#"), "neDecLon", true);

    auto *layout = new QGridLayout(gbStationLocation);
    layout->addWidget(lblStationID, 0, 0, 1, 4);
    layout->addWidget(edGridSquare, 1, 0, 1, 4);
    layout->addWidget(lblLat, 2, 0);
    layout->addWidget(neDecLat, 2, 1);
    layout->addWidget(lblLon, 2, 2);
    layout->addWidget(neDecLon, 2, 3);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(3, 1);
    return gbStationLocation;
}

QWidget *TStationPage::BuildVersion()
{
    gbVersion = group(QStringLiteral("Version Info"), "gbVersion",
                      QStringLiteral("Creation|Date SML Created - Autofilled"));
    lblCreatedOn = label(QStringLiteral("This SML Created On (UTC)"), "lblCreatedOn");
    edDateTimeUTC =
        edit(QString(), "edDateTimeUTC", QStringLiteral("SML Date|Updated when you SaveAs"));

    gbTitleSML = group(QStringLiteral("SML"), "gbTitleSML",
                       QStringLiteral("Vers|Version of internal workings"));
    const QString notLoaded = QStringLiteral("[no doc. loaded]");
    lblXMLVers = label(QStringLiteral("XML Version:"), "lblXMLVers");
    lblXMLVersion = label(notLoaded, "lblXMLVersion");
    lblSMLVers = label(QStringLiteral("SML Version:"), "lblSMLVers");
    lblSMLVersion = label(notLoaded, "lblSMLVersion");
    lblKOVAVers = label(QStringLiteral("KOVA Version:"), "lblKOVAVers");
    lblKOVAVersion = label(notLoaded, "lblKOVAVersion");
    // The version labels show document text: markup in it is shown, never rendered.
    for (QLabel *shown : {lblXMLVersion, lblSMLVersion, lblKOVAVersion})
        shown->setTextFormat(Qt::PlainText);
    auto *versions = new QFormLayout(gbTitleSML);
    versions->addRow(lblXMLVers, lblXMLVersion);
    versions->addRow(lblSMLVers, lblSMLVersion);
    versions->addRow(lblKOVAVers, lblKOVAVersion);

    auto *layout = new QVBoxLayout(gbVersion);
    layout->addWidget(lblCreatedOn);
    layout->addWidget(edDateTimeUTC);
    layout->addWidget(gbTitleSML);
    return gbVersion;
}

QWidget *TStationPage::BuildOpMode()
{
    gbOpMode = group(QStringLiteral("Operating Mode"), "gbOpMode",
                     QStringLiteral("Mode|Operating Mode - Autofilled"));
    edOpMode = edit(QString(), "edOpMode",
                    QStringLiteral("OpMode|Mode of operation (Normal, Drive By, Stare etc)"));
    auto *layout = new QVBoxLayout(gbOpMode);
    layout->addWidget(edOpMode);
    return gbOpMode;
}

QWidget *TStationPage::BuildFiles()
{
    gbFiles = group(QString(), "gbFiles", QStringLiteral("|Select *.SML and *.WAV files"));
    FFilesLayout = new QHBoxLayout(gbFiles);
    FFilesLayout->addWidget(BuildWavGroup(), 1);
    FFilesLayout->addWidget(BuildJPGGroup(), 1);
    return gbFiles;
}

QWidget *TStationPage::BuildWavGroup()
{
    gbWavFile = group(QStringLiteral("Inspect or Change SML in Wav"), "gbWavFile");
    ledWAVOpen = named(new TIndicatorLight(QStringLiteral("WAV Open")), "ledWAVOpen");
    edWAVFileName = fileNameBox(QStringLiteral(" {WAV file Name - auto set}"), "edWAVFileName",
                                QStringLiteral("Wav File | Truncated Wav file name and location"));
    btnWaveFileOpen = button(QStringLiteral("Open "), "btnWaveFileOpen",
                             QStringLiteral("Open WAV | Loads an existing Wav file "), true);
    btnSaveWAV = button(QStringLiteral(" Tag && Save"), "btnSaveWAV",
                        QStringLiteral("Save|Adds tags and saves the file"), false);
    btnSaveAsWAV = button(QStringLiteral(" Tag && SaveAs"), "btnSaveAsWAV",
                          QStringLiteral("SaveAs|Tag and save the file in a new location"), false);
    auto *layout = new QGridLayout(gbWavFile);
    layout->addWidget(ledWAVOpen, 0, 0);
    layout->addWidget(btnWaveFileOpen, 0, 1);
    layout->addWidget(edWAVFileName, 1, 0, 1, 2);
    layout->addWidget(btnSaveWAV, 2, 0);
    layout->addWidget(btnSaveAsWAV, 2, 1);
    return gbWavFile;
}

QWidget *TStationPage::BuildJPGGroup()
{
    gbJPGFile = group(QStringLiteral("Inspect or Change SML in JPG"), "gbJPGFile");
    ledJPGOpen = named(new TIndicatorLight(QStringLiteral("JPG Open")), "ledJPGOpen");
    btnJPGFileOpen = button(QStringLiteral("Open"), "btnJPGFileOpen",
                            QStringLiteral("Load JPG | Open an existing JPG file"), true);
    edJPGFileName =
        fileNameBox(QStringLiteral("{JPG file Name - auto set}"), "edJPGFileName",
                    QStringLiteral("Name & Location | Truncated JPG file name and location"));
    btnSaveJPG = button(QStringLiteral("Tag && Save "), "btnSaveJPG",
                        QStringLiteral("Save JPG| Tag and Save your current JPG"), true);
    btnSaveAsJPG = button(QStringLiteral("Tag && SaveAs"), "btnSaveAsJPG",
                          QStringLiteral("SaveAs JPG|Tag and save to new location"), false);
    auto *layout = new QGridLayout(gbJPGFile);
    layout->addWidget(ledJPGOpen, 0, 0);
    layout->addWidget(btnJPGFileOpen, 0, 1);
    layout->addWidget(edJPGFileName, 1, 0, 1, 2);
    layout->addWidget(btnSaveJPG, 2, 0);
    layout->addWidget(btnSaveAsJPG, 2, 1);
    return gbJPGFile;
}

void TStationPage::InstallSMLGroup(QWidget *group, QLineEdit *fileNameBox)
{
    FFilesLayout->insertWidget(0, group);
    edSMLFileName = fileNameBox;
}

QString TStationPage::ShortName(const QString &path) const
{
    return ShortDisplayName(path, fontMetrics());
}

void TStationPage::TitleSMLToControls(const IXMLKOVA_Station_TitleBlock &title)
{
    const auto version = title->Get_Version();
    const QString unknown = QStringLiteral("unknown");
    lblXMLVersion->setText(attributeOr(version, QStringLiteral("XML"), unknown));
    lblSMLVersion->setText(attributeOr(version, QStringLiteral("SML"), unknown));
    lblKOVAVersion->setText(attributeOr(version, QStringLiteral("KOVA"), unknown));
    edDateTimeUTC->setText(version->Get_CreatedOn());

    const auto target = title->Get_Target();
    edConstellationName->setText(target->Get_ConstellationName());
    neConstID->SetValueAsInt(target->Get_ConstID());
    edTargetName->setText(target->Get_TargetName());
    neTargetID->SetValueAsInt(target->Get_TargetID());
    neScanID->SetValueAsInt(target->Get_ScanID());
    neHitID->SetValueAsInt(target->Get_HitID());
    neKOVADataID->SetValueAsInt(target->Get_KOVADataID());
    cbFalsified->setChecked(target->Get_Falsified());
    edTargetNote->setText(attributeOr(target, QStringLiteral("Note"), QString()));

    edOpMode->setText(title->Get_OperatingMode());
    const auto location = title->Get_Location();
    edGridSquare->setText(location->Get_GridSquare());
    // The position is shown too, since the collect step writes it back: leaving the
    // fields alone would carry the previous document's position (or 0) into this
    // one at the next save.
    neDecLat->SetValue(positionOf(location, QStringLiteral("Latitude")));
    neDecLon->SetValue(positionOf(location, QStringLiteral("Longitude")));

    const auto personel = title->Get_Personel();
    edSysOpName->setText(personel->Get_SysOp());
    const IXMLNode observers = personel->ChildNodes()->FindNode(QStringLiteral("Observers"));
    edObserverNames->setText(observers ? observers->Text() : QStringLiteral("No Observers"));

    const auto files = title->Get_Files();
    if (edSMLFileName)
        edSMLFileName->setText(ShortName(files->Get_SML()));
    edJPGFileName->setText(ShortName(files->Get_JPG()));
    edWAVFileName->setText(ShortName(files->Get_WAV()));
}

void TStationPage::TitleControlsToSML(const IXMLKOVA_Station_TitleBlock &title,
                                      const QString &smlFileName, const QString &jpgFileName,
                                      const QString &wavFileName)
{
    const auto version = title->Get_Version();
    version->Set_XML(lblXMLVersion->text());
    version->Set_SML(lblSMLVersion->text());
    version->Set_KOVA(lblKOVAVersion->text());
    version->Set_CreatedOn(edDateTimeUTC->text());

    const auto target = title->Get_Target();
    target->Set_ConstellationName(edConstellationName->text());
    target->Set_ConstID(neConstID->ValueAsInt());
    target->Set_TargetName(edTargetName->text());
    target->Set_TargetID(neTargetID->ValueAsInt());
    target->Set_ScanID(neScanID->ValueAsInt());
    target->Set_HitID(neHitID->ValueAsInt());
    target->Set_KOVADataID(neKOVADataID->ValueAsInt());
    target->Set_Falsified(cbFalsified->isChecked());
    target->Set_Note(edTargetNote->text());

    title->Set_OperatingMode(edOpMode->text());
    const auto location = title->Get_Location();
    location->Set_GridSquare(edGridSquare->text());
    location->Set_Latitude(neDecLat->ValueAsSingle());
    location->Set_Longitude(neDecLon->ValueAsSingle());

    const auto personel = title->Get_Personel();
    personel->Set_SysOp(edSysOpName->text());
    personel->Set_Observers(edObserverNames->text());

    const auto files = title->Get_Files();
    files->Set_SML(smlFileName);
    files->Set_JPG(jpgFileName);
    files->Set_WAV(wavFileName);
}
