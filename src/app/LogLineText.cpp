#include "app/LogLineText.h"

#include <QLocale>

namespace
{

// The user's long time format without its time-zone fields: a log line shows local
// wall-clock time the way the clock on the desktop does.
QString longTimeFormatWithoutZone(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || c != QLatin1Char('t'))
            result += c;
    }
    return result.simplified();
}

} // namespace

QString LogDateTimeText(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return {};
    const QLocale locale = QLocale::system();
    QString text = locale.toString(dateTime.date(), QLocale::ShortFormat);
    if (dateTime.time() != QTime(0, 0))
        text +=
            QLatin1Char(' ') + locale.toString(dateTime.time(), longTimeFormatWithoutZone(locale));
    return text;
}

QString GetConcatenatedLogMessage(const TLoggerOutputInformation &entry, bool indent,
                                  QChar delimiter)
{
    const struct {
        TLoggerOutput flag;
        const QString &text;
    } parts[] = {
        {loTimeStamp, entry.TimeStampOutput}, {loProcessID, entry.ProcessIDOutput},
        {loThreadID, entry.ThreadIDOutput},   {loMemoryUsage, entry.MemoryUsageOutput},
        {loLogLevel, entry.LogLevelOutput},   {loName, entry.NameOutput},
        {loValue, entry.ValueOutput},         {loType, entry.TypeOutput},
    };
    QString line;
    if (indent && entry.Indent > 0)
        line.fill(QLatin1Char(' '), 3 * entry.Indent);
    for (const auto &part : parts) {
        if ((entry.Outputs & part.flag) == 0)
            continue;
        line += part.text;
        if (part.flag != loType && !delimiter.isNull())
            line += delimiter;
    }
    return line;
}

QString StripHTML(const QString &text)
{
    QString source = text;
    for (const char *tag : {"<BR>", "<HR>", "<BR/>"})
        source.replace(QLatin1String(tag), QStringLiteral("\r\n"), Qt::CaseInsensitive);

    QString result;
    qsizetype from = 0;
    while (from < source.size()) {
        const qsizetype open = source.indexOf(QLatin1Char('<'), from);
        const qsizetype close = open < 0 ? -1 : source.indexOf(QLatin1Char('>'), open);
        if (close < 0)
            break;
        result += QStringView(source).mid(from, open - from);
        from = close + 1;
    }
    result += QStringView(source).mid(from);
    return result;
}
