// The About box: product name, version and description from the executable's version data.
#pragma once

#include "about/VersionInfoReader.h"

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class TfrmAbout : public QDialog
{
    Q_OBJECT
public:
    // Created hidden; the caption carries the bitness suffix.
    explicit TfrmAbout(QWidget *parent = nullptr);

    // The file whose version data ShowVersion shows; the running executable at first.
    const QString &VersionFileName() const { return FVersionFileName; }
    void SetVersionFileName(const QString &fileName) { FVersionFileName = fileName; }

    // Fills the box afresh from the version data, shows it without blocking and returns the
    // file version text. Without version data the memo and lblComments are empty and the
    // other labels keep their texts; nothing is reported.
    QString ShowVersion();

    // Hides the box; it can be shown again at any time.
    void OKButtonClick();

private:
    void FormCreate();

    QString FVersionFileName;
    VersionInfoReader FVersionInfo;
    QFrame *pnlAbout;
    QLabel *lblProductName;
    QLabel *ProgramIcon;
    QLabel *lblVersion;
    QLabel *lblComments;
    QLabel *lblCompanyName;
    QLabel *lblCredit;
    QPlainTextEdit *moInfo;
    QPushButton *OKButton;
};
