#include "about/TfrmAbout.h"

#include "about/BitnessSuffix.h"
#include "about/OrvaneIcon.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>

#include <cstdlib>

namespace
{

QFont pixelFont(int pixels, bool bold = false, bool italic = false, const QString &family = {})
{
    QFont font;
    if (!family.isEmpty())
        font.setFamily(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, int left, int top,
                  const QFont &font, const QColor &colour)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->move(left, top);
    label->adjustSize();
    return label;
}

void setLabelText(QLabel *label, const QString &text)
{
    label->setText(text);
    label->adjustSize();
}

} // namespace

TfrmAbout::TfrmAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      FVersionFileName(QCoreApplication::applicationFilePath()), pnlAbout(new QFrame(this))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About box:"));
    setFixedSize(273, 300);
    move(440, 187);
    setModal(false);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(192, 220, 192));
    setPalette(background);
    setAutoFillBackground(true);

    pnlAbout->setObjectName(QStringLiteral("pnlAbout"));
    pnlAbout->setGeometry(0, 0, 273, 300);
    pnlAbout->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pnlAbout->setLineWidth(2);
    QPalette white = pnlAbout->palette();
    white.setColor(QPalette::Window, Qt::white);
    pnlAbout->setPalette(white);
    pnlAbout->setAutoFillBackground(true);

    lblProductName =
        makeLabel(pnlAbout, "lblProductName", QStringLiteral("lblProductName"), 8, 4,
                  pixelFont(19, false, false, QStringLiteral("Arial")), QColor(0, 0, 128));
    ProgramIcon = new QLabel(pnlAbout);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(8, 32, 74, 64);
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(OrvaneIcon().pixmap(120, 120));
    lblVersion = makeLabel(pnlAbout, "lblVersion", QStringLiteral("lblVersion:"), 88, 32,
                           pixelFont(13, true), Qt::black);
    lblComments = makeLabel(pnlAbout, "lblComments", QStringLiteral("lblComments:"), 88, 58,
                            pixelFont(12, true), Qt::black);
    QFont monospaced = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    monospaced.setPixelSize(19);
    monospaced.setItalic(true);
    lblCompanyName = makeLabel(pnlAbout, "lblCompanyName", QStringLiteral("lblCompanyName"), 88, 77,
                               monospaced, Qt::black);
    lblCredit = makeLabel(pnlAbout, "lblCredit", QStringLiteral("by the Orvane crew"), 148, 102,
                          pixelFont(11, true, true), Qt::blue);

    moInfo = new QPlainTextEdit(QStringLiteral("moInfo"), pnlAbout);
    moInfo->setObjectName(QStringLiteral("moInfo"));
    moInfo->setFont(pixelFont(11, true));
    moInfo->setGeometry(1, 123, 265, 150);
    moInfo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    moInfo->setLineWrapMode(QPlainTextEdit::NoWrap);
    moInfo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    moInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    moInfo->setReadOnly(true);

    OKButton = new QPushButton(QStringLiteral("OK"), pnlAbout);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(2, 276, 264, 18);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TfrmAbout::OKButtonClick);

    FormCreate();
}

void TfrmAbout::FormCreate()
{
    setWindowTitle(windowTitle() + BitnessSuffix());
}

QString TfrmAbout::ShowVersion()
{
    FVersionInfo.SetFileName(FVersionFileName);
    const auto value = [this](int index) { return FVersionInfo.GetStringFileInfoByIdx(index); };

    moInfo->setUpdatesEnabled(false);
    moInfo->clear();
    setLabelText(lblComments, value(VersionInfoReader::Comments));

    const struct {
        const char *prefix;
        VersionInfoReader::StringIndex index;
        QLabel *label;
        const char *labelPrefix;
    } lines[] = {
        {"Company: ", VersionInfoReader::CompanyName, lblCompanyName, ""},
        {"FileDescription: ", VersionInfoReader::FileDescription, nullptr, ""},
        {"FileVersion: ", VersionInfoReader::FileVersion, lblVersion, "FileVersion: "},
        {"InternalName: ", VersionInfoReader::InternalName, nullptr, ""},
        {"Copyright: ", VersionInfoReader::LegalCopyright, nullptr, ""},
        {"Trademarks: ", VersionInfoReader::LegalTrademarks, nullptr, ""},
        {"OriginalFileName: ", VersionInfoReader::OriginalFileName, nullptr, ""},
        {"ProductName: ", VersionInfoReader::ProductName, lblProductName, ""},
        {"ProductVersion: ", VersionInfoReader::ProductVersion, nullptr, ""},
        {"Comments: ", VersionInfoReader::Comments, nullptr, ""},
    };
    int lineCount = 0;
    for (const auto &line : lines) {
        const QString text = value(line.index);
        if (text.isEmpty())
            continue;
        moInfo->appendPlainText(QLatin1String(line.prefix) + text);
        ++lineCount;
        if (line.label != nullptr)
            setLabelText(line.label, QLatin1String(line.labelPrefix) + text);
    }
    // Four text heights per line: a tall memo is clipped by the panel, the OK button stays on top.
    moInfo->resize(moInfo->width(), 4 * lineCount * std::abs(moInfo->font().pixelSize()) + 20);
    OKButton->raise();
    // Appending leaves the view at the end of the last line; show the lines from their start.
    moInfo->moveCursor(QTextCursor::Start);
    moInfo->horizontalScrollBar()->setValue(0);
    moInfo->setUpdatesEnabled(true);

    show();
    return value(VersionInfoReader::FileVersion);
}

void TfrmAbout::OKButtonClick()
{
    hide();
}
