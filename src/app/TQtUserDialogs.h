// The program's dialogs on the real Qt widgets (QMessageBox, QFileDialog, QPrintDialog).
#pragma once

#include "app/IUserDialogs.h"

class QWidget;

class TQtUserDialogs : public IUserDialogs
{
public:
    // Dialogs are parented to the application's active window (none: top level).
    TQtUserDialogs() = default;

    TModalResult MessageDlg(const QString &text, TMsgDlgButtons buttons,
                            TMsgDlgType type = TMsgDlgType::None) override;
    QString OpenFileName(const TFileDialogSpec &spec) override;
    QString SaveFileName(const TFileDialogSpec &spec) override;
    bool PrintDialog() override;
};

// Turns a "Description|pattern|Description|pattern" filter into Qt's
// "Description (pattern);;..." form; empty gives empty (every file).
QString QtFileFilter(const QString &filter);
