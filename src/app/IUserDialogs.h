// Message boxes, file dialogs and the print dialog of the program, behind one
// small interface owned by the main window. The program uses TQtUserDialogs;
// tests hand the window a scripted stand-in that answers without blocking.
//
// Example (a Yes/No/Cancel question without icon):
//   if (Dialogs().MessageDlg(text, TMsgDlgButtons::YesNoCancel) == TModalResult::Yes) ...
#pragma once

#include <QString>

// The icon of a message box.
enum class TMsgDlgType { None, Information, Warning, Error };

// The buttons of a message box.
enum class TMsgDlgButtons { OK, YesCancel, YesNo, YesNoCancel };

// The button the user chose; a box closed without a choice answers Cancel
// (an OK-only box answers OK).
enum class TModalResult { OK, Yes, No, Cancel };

// What a file dialog shows. Filter is written as pairs of description and
// pattern separated by "|", e.g. "XML Files (*.xml)|*.xml|SML Files (*.sml)|*.sml".
struct TFileDialogSpec {
    QString Title;      // empty: the platform's default title
    QString Filter;     // empty: every file
    QString DefaultExt; // appended (with a dot) to a typed name without extension; empty: none
    QString InitialDir; // folder shown first; empty: the current folder
    QString FileName;   // file name proposed in the dialog; empty: none
};

class IUserDialogs
{
public:
    virtual ~IUserDialogs() = default;

    // Shows text in a modal message box titled with the program's title
    // ("Orvane"); returns the button chosen.
    virtual TModalResult MessageDlg(const QString &text, TMsgDlgButtons buttons,
                                    TMsgDlgType type = TMsgDlgType::None) = 0;

    // Asks for an existing file to open; returns its full path, empty when cancelled.
    virtual QString OpenFileName(const TFileDialogSpec &spec) = 0;

    // Asks for a file to write; returns its full path, empty when cancelled.
    // It never asks before replacing an existing file.
    virtual QString SaveFileName(const TFileDialogSpec &spec) = 0;

    // Shows the platform's print dialog with default settings; false when cancelled.
    virtual bool PrintDialog() = 0;
};
