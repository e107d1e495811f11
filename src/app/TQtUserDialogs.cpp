#include "app/TQtUserDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

namespace
{

const QString ProgramTitle = QStringLiteral("Orvane");

QMessageBox::StandardButtons StandardButtons(TMsgDlgButtons buttons)
{
    switch (buttons) {
    case TMsgDlgButtons::OK:
        return QMessageBox::Ok;
    case TMsgDlgButtons::YesCancel:
        return QMessageBox::Yes | QMessageBox::Cancel;
    case TMsgDlgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case TMsgDlgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon StandardIcon(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::None:
        return QMessageBox::NoIcon;
    case TMsgDlgType::Information:
        return QMessageBox::Information;
    case TMsgDlgType::Warning:
        return QMessageBox::Warning;
    case TMsgDlgType::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// Sets up a file dialog from the program's description of it.
void Prepare(QFileDialog &dialog, const TFileDialogSpec &spec)
{
    if (!spec.Title.isEmpty())
        dialog.setWindowTitle(spec.Title);
    dialog.setNameFilter(QtFileFilter(spec.Filter));
    dialog.setDefaultSuffix(spec.DefaultExt);
    if (!spec.InitialDir.isEmpty())
        dialog.setDirectory(spec.InitialDir);
    if (!spec.FileName.isEmpty())
        dialog.selectFile(spec.FileName);
}

QString Run(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

} // namespace

QString QtFileFilter(const QString &filter)
{
    if (filter.isEmpty())
        return {};
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the last parenthesised group of the text.
        filters << (description.endsWith(QLatin1Char(')'))
                        ? description
                        : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    if (parts.size() % 2 == 1)
        filters << parts.last();
    return filters.join(QStringLiteral(";;"));
}

TModalResult TQtUserDialogs::MessageDlg(const QString &text, TMsgDlgButtons buttons,
                                        TMsgDlgType type)
{
    QMessageBox box(StandardIcon(type), ProgramTitle, text, StandardButtons(buttons),
                    QApplication::activeWindow());
    // Messages quote file names and document text: show them as they are.
    box.setTextFormat(Qt::PlainText);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return TModalResult::OK;
    case QMessageBox::Yes:
        return TModalResult::Yes;
    case QMessageBox::No:
        return TModalResult::No;
    default:
        return buttons == TMsgDlgButtons::OK ? TModalResult::OK : TModalResult::Cancel;
    }
}

QString TQtUserDialogs::OpenFileName(const TFileDialogSpec &spec)
{
    QFileDialog dialog(QApplication::activeWindow());
    Prepare(dialog, spec);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Run(dialog);
}

QString TQtUserDialogs::SaveFileName(const TFileDialogSpec &spec)
{
    QFileDialog dialog(QApplication::activeWindow());
    Prepare(dialog, spec);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return Run(dialog);
}

bool TQtUserDialogs::PrintDialog()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}
