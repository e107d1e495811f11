#include "app/TLogPage.h"

#include "app/LogLineText.h"
#include "app/TLoggerEventLogOutputHandler.h"

#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>

TLogPage::TLogPage(QWidget *parent) : TLogPage(Logger(), parent) {}

TLogPage::TLogPage(TLogger &logger, QWidget *parent)
    : QWidget(parent), FLogger(logger), btnStartLogging(new QPushButton(this)),
      btnClearLog(new QPushButton(this)), moLog(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("tsLog"));

    btnStartLogging->setObjectName(QStringLiteral("btnStartLogging"));
    btnStartLogging->setText(QStringLiteral(" Start / Stop Logging"));
    btnStartLogging->setGeometry(16, 1, 121, 25);
    connect(btnStartLogging, &QPushButton::clicked, this, &TLogPage::btnStartLoggingClick);

    btnClearLog->setObjectName(QStringLiteral("btnClearLog"));
    btnClearLog->setText(QStringLiteral(" Clear Log"));
    btnClearLog->setGeometry(143, 3, 66, 25);
    connect(btnClearLog, &QPushButton::clicked, this, &TLogPage::btnClearLogClick);

    moLog->setObjectName(QStringLiteral("moLog"));
    moLog->setGeometry(16, 32, 673, 521);
    moLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    moLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    moLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = moLog->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
    moLog->setPalette(palette);
    moLog->setPlainText(QStringLiteral("moLog"));
}

TLogPage::~TLogPage()
{
    FLogger.UnbindOnOutput(this);
}

void TLogPage::SetUpLogger()
{
    if (FLogger.FindOutputHandlerClass<TLoggerEventLogOutputHandler>() == nullptr)
        FLogger.RegisterOutputHandlerClass<TLoggerEventLogOutputHandler>();
    FLogger.BindOnOutput(
        [this](TLogger &sender, const TLoggerOutputInformation &entry) { DoOutput(sender, entry); },
        this);
    FLogger.Active = false;
    FLogger.Clear();
    moLog->clear();
}

QStringList TLogPage::LogLines() const
{
    if (moLog->document()->isEmpty())
        return {};
    return moLog->toPlainText().split(QLatin1Char('\n'));
}

void TLogPage::btnStartLoggingClick()
{
    FLogger.Active = !FLogger.Active;
    if (FLogger.Active) {
        FLogger.LogSystemInformation(QString());
        FLogger.Info(QStringLiteral("Start Logging"));
        btnStartLogging->setText(QStringLiteral("Logging ON"));
    } else {
        btnStartLogging->setText(QStringLiteral("Logging OFF"));
    }
}

void TLogPage::btnClearLogClick()
{
    moLog->clear();
}

void TLogPage::DoOutput(TLogger & /*sender*/, const TLoggerOutputInformation &entry)
{
    // Line breaks made from markup start new memo lines, as in a text file.
    QString line = StripHTML(GetConcatenatedLogMessage(entry, false));
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (moLog->document()->isEmpty()) {
        moLog->setPlainText(line);
        return;
    }
    QTextCursor cursor(moLog->document());
    cursor.movePosition(QTextCursor::Start);
    cursor.insertText(line + QLatin1Char('\n'));
}
