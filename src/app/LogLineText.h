// Text helpers of the log: date and time texts, joining an entry into a line, removing markup.
#pragma once

#include "app/TLoggerOutputInformation.h"

#include <QChar>
#include <QDateTime>
#include <QLocale>
#include <QString>

// The user's short date, a blank and the user's long time (without time zone);
// only the date at exactly midnight. An invalid date and time gives empty text.
QString LogDateTimeText(const QDateTime &dateTime, const QLocale &locale = QLocale::system());

// Joins the parts whose flag is in entry.Outputs (time stamp, process id, thread id,
// memory usage, level, name, value, type), appending delimiter after each part but the
// type part unless it is null; with indent, three blanks per indent level go in front.
QString GetConcatenatedLogMessage(const TLoggerOutputInformation &entry, bool indent,
                                  QChar delimiter = QChar());

// Turns <BR>, <HR> and <BR/> (any case) into CR LF and drops every "<...>" span;
// a "<" without a ">" after it is kept with the rest of the text.
QString StripHTML(const QString &text);
