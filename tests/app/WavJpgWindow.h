// What the WAV and JPG tagging tests of the main window share: a window with scripted
// dialogs in a scratch folder, and station documents that differ in one value.
#pragma once

#include "app/TScriptedDialogs.h"
#include "app/TfrmOrvane.h"
#include "editor/TIndicatorLight.h"
#include "editor/TStationPage.h"
#include "media/EmbeddedText.h"
#include "sml/GeneratedSML.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// The default document with TargetName set to target, as file bytes.
inline QByteArray StationDocument(const QString &target)
{
    QByteArray bytes = GeneratedSML();
    bytes.replace(R"(TargetName="String")", "TargetName=\"" + target.toUtf8() + "\"");
    return bytes;
}

// The take-over question for a file shown as shortName.
inline QString TakeOverQuestion(const QString &shortName)
{
    return QStringLiteral("File: '") + shortName +
           QStringLiteral("' Contains SML \r\n - Yes to Overwrite current SML from this file. "
                          "\r\n - No Don't change current SML");
}

// The saves of one group: the two buttons and the two menu entries.
struct TSaves {
    bool Save;
    bool SaveAs;
    bool MenuSave;
    bool MenuSaveAs;
    bool operator==(const TSaves &o) const
    {
        return Save == o.Save && SaveAs == o.SaveAs && MenuSave == o.MenuSave &&
               MenuSaveAs == o.MenuSaveAs;
    }
};
inline std::ostream &operator<<(std::ostream &os, const TSaves &s)
{
    return os << "{btnSave " << s.Save << ", btnSaveAs " << s.SaveAs << ", mnuSave " << s.MenuSave
              << ", mnuSaveAs " << s.MenuSaveAs << "}";
}
constexpr TSaves AllSavesOn{true, true, true, true};
constexpr TSaves AllSavesOff{false, false, false, false};

class WavJpgWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto dialogs = std::make_unique<TScriptedDialogs>();
        script = dialogs.get();
        window = std::make_unique<TfrmOrvane>(std::move(dialogs),
                                              dir.filePath(QStringLiteral("Orvane.conf")));
    }
    void TearDown() override
    {
        EXPECT_TRUE(script->Finished()) << "a scripted answer was never asked for";
        window.reset();
    }

    QString PathOf(const QString &name) const { return dir.filePath(name); }
    TStationPage &Page() const { return *window->StationPage; }
    QString Target() const { return Page().edTargetName->text(); }
    // The target as the document holds it (after a collect it equals the page's).
    QString DocumentTarget() const
    {
        return window->TitleBlockNode->Get_Target()->Get_TargetName();
    }

    TSaves WavSaves() const
    {
        return {Page().btnSaveWAV->isEnabled(), Page().btnSaveAsWAV->isEnabled(),
                window->mnuTagSaveWAV->isEnabled(), window->mnuTagSaveWAVAs->isEnabled()};
    }
    TSaves JpgSaves() const
    {
        return {Page().btnSaveJPG->isEnabled(), Page().btnSaveAsJPG->isEnabled(),
                window->mnuTagSaveJPG->isEnabled(), window->mnuTagSaveJPGAs->isEnabled()};
    }
    // The messages shown since the last call.
    std::vector<QString> NewMessages()
    {
        const std::vector<QString> all = script->Messages();
        std::vector<QString> fresh(all.begin() + static_cast<std::ptrdiff_t>(FSeen), all.end());
        FSeen = all.size();
        return fresh;
    }

    // Opens the SML file sml, takes over the document tagged into media through takeOver,
    // changes and collects it, and closes the window: the taken-over document goes into
    // neither file, and the SML file stays the one to open next time.
    void ExpectTakeOverNeverWrittenBackAtClose(const QString &sml, const QString &media,
                                               const std::function<void()> &takeOver)
    {
        const QByteArray document = testsupport::readFile(sml);
        const QByteArray tagged = testsupport::readFile(media);
        script->ChooseOpen(sml);
        window->btnOpenSMLFile->click();
        takeOver();
        ASSERT_EQ(Target(), QStringLiteral("Vega"));
        Page().edTargetName->setText(QStringLiteral("Altair"));
        window->btnRefreshSML->click();
        ASSERT_TRUE(window->docSML->Modified());

        EXPECT_TRUE(window->close());
        EXPECT_EQ(testsupport::readFile(sml), document);
        EXPECT_EQ(testsupport::readFile(media), tagged);
        EXPECT_EQ(QSettings(PathOf(QStringLiteral("Orvane.conf")), QSettings::IniFormat)
                      .value(QStringLiteral("SMLFile"))
                      .toString(),
                  sml);
    }

    QTemporaryDir dir;
    std::unique_ptr<TfrmOrvane> window;
    TScriptedDialogs *script = nullptr;

private:
    std::size_t FSeen = 0;
};
