// A stand-in for the program's dialogs that answers from a script instead of
// blocking: each test queues the answers it expects to be asked for, in order.
// A dialog asked for without a queued answer of its kind, or an answer left
// unused when the stand-in dies, fails the running test.
//
//   auto dialogs = std::make_unique<TScriptedDialogs>();
//   dialogs->Answer(TModalResult::Yes).ChooseOpen("/tmp/a.xml");
//   TScriptedDialogs &script = *dialogs;   // the window takes ownership
//   TfrmOrvane window(std::move(dialogs), settingsFile);
#pragma once

#include "app/IUserDialogs.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <vector>

class TScriptedDialogs : public IUserDialogs
{
public:
    enum class TKind { Message, Open, Save, Print };

    // One dialog the program asked for, with what it showed.
    struct TAsked {
        TKind Kind;
        QString Text; // message text
        TMsgDlgButtons Buttons = TMsgDlgButtons::OK;
        TMsgDlgType Type = TMsgDlgType::None;
        TFileDialogSpec Spec; // file dialogs
    };

    ~TScriptedDialogs() override
    {
        for (const TAnswer &a : FScript)
            ADD_FAILURE() << "scripted dialog answer never asked for (kind "
                          << static_cast<int>(a.Kind) << ")";
    }

    // Queues the answer to the next message box.
    TScriptedDialogs &Answer(TModalResult result)
    {
        return Queue({TKind::Message, result, {}, {}});
    }
    // Queues the file chosen in the next open dialog; empty cancels it.
    TScriptedDialogs &ChooseOpen(const QString &path) { return Queue({TKind::Open, {}, path, {}}); }
    // Queues the file chosen in the next save dialog; empty cancels it.
    TScriptedDialogs &ChooseSave(const QString &path) { return Queue({TKind::Save, {}, path, {}}); }
    // Queues the answer to the next print dialog.
    TScriptedDialogs &ConfirmPrint(bool confirm) { return Queue({TKind::Print, {}, {}, confirm}); }

    // Every dialog asked for so far, in order.
    const std::vector<TAsked> &Asked() const { return FAsked; }
    // The message texts shown so far, in order.
    std::vector<QString> Messages() const
    {
        std::vector<QString> texts;
        for (const TAsked &a : FAsked)
            if (a.Kind == TKind::Message)
                texts.push_back(a.Text);
        return texts;
    }
    bool Finished() const { return FScript.empty(); }

    TModalResult MessageDlg(const QString &text, TMsgDlgButtons buttons, TMsgDlgType type) override
    {
        FAsked.push_back({TKind::Message, text, buttons, type, {}});
        const auto answer = Next(TKind::Message, text);
        if (answer)
            return answer->Result;
        return buttons == TMsgDlgButtons::OK ? TModalResult::OK : TModalResult::Cancel;
    }
    QString OpenFileName(const TFileDialogSpec &spec) override
    {
        FAsked.push_back({TKind::Open, {}, TMsgDlgButtons::OK, TMsgDlgType::None, spec});
        const auto answer = Next(TKind::Open, spec.Title);
        return answer ? answer->Path : QString();
    }
    QString SaveFileName(const TFileDialogSpec &spec) override
    {
        FAsked.push_back({TKind::Save, {}, TMsgDlgButtons::OK, TMsgDlgType::None, spec});
        const auto answer = Next(TKind::Save, spec.Title);
        return answer ? answer->Path : QString();
    }
    bool PrintDialog() override
    {
        FAsked.push_back({TKind::Print, {}, TMsgDlgButtons::OK, TMsgDlgType::None, {}});
        const auto answer = Next(TKind::Print, {});
        return answer && answer->Confirm;
    }

private:
    struct TAnswer {
        TKind Kind;
        TModalResult Result;
        QString Path;
        bool Confirm;
    };

    TScriptedDialogs &Queue(TAnswer answer)
    {
        FScript.push_back(std::move(answer));
        return *this;
    }

    std::optional<TAnswer> Next(TKind kind, const QString &shown)
    {
        if (FScript.empty() || FScript.front().Kind != kind) {
            ADD_FAILURE() << "unexpected dialog (kind " << static_cast<int>(kind)
                          << "): " << shown.toStdString();
            return std::nullopt;
        }
        TAnswer answer = FScript.front();
        FScript.pop_front();
        return answer;
    }

    std::deque<TAnswer> FScript;
    std::vector<TAsked> FAsked;
};
