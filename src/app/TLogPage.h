// The Log page: the log memo, newest line first, and the buttons that switch and clear it.
#pragma once

#include "app/TLogger.h"

#include <QStringList>
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

class TLogPage : public QWidget
{
    Q_OBJECT
public:
    // A page on the process-wide logger.
    explicit TLogPage(QWidget *parent = nullptr);
    // A page on the given logger, which must outlive the page.
    explicit TLogPage(TLogger &logger, QWidget *parent = nullptr);
    ~TLogPage() override;

    // Start-up set-up: registers the event-log handler (once per logger), binds the logger's
    // output notification to DoOutput, switches logging off, clears the logger and the memo.
    void SetUpLogger();

    // The memo's lines, newest first; empty when the memo is empty.
    QStringList LogLines() const;

    // Inverts the logger's Active; switching on logs the system information and
    // "Start Logging"; sets the caption "Logging ON" or "Logging OFF".
    void btnStartLoggingClick();
    // Empties the memo; the logger is not touched.
    void btnClearLogClick();
    // Inserts the entry's line, without markup, as the memo's first line.
    void DoOutput(TLogger &sender, const TLoggerOutputInformation &entry);

private:
    TLogger &FLogger;
    QPushButton *btnStartLogging;
    QPushButton *btnClearLog;
    QPlainTextEdit *moLog;
};
