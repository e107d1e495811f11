#include "app/LogLineText.h"

#include <QLocale>
#include <QRegularExpression>

namespace
{

// The user's long time format without its time-zone field: a log line shows local wall-clock
// time the way the clock on the desktop does. The separator or brackets that set the zone off
// go with it ("H:mm:ss (t)", "HH:mm:ss, t", "APh:mm:ss [t]"), so nothing empty is left behind.
QString longTimeFormatWithoutZone(const QLocale &locale)
{
    static const QRegularExpression zone(QStringLiteral("[,\\s]*(?:\\(t\\)|\\[t\\]|t)"));
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    // Quoted text is literal and kept as it is; only the format fields outside quotes change.
    qsizetype from = 0;
    while (from < format.size()) {
        qsizetype quote = format.indexOf(QLatin1Char('\''), from);
        if (quote < 0)
            quote = format.size();
        result += format.mid(from, quote - from).remove(zone);
        if (quote == format.size())
            break;
        const qsizetype close = format.indexOf(QLatin1Char('\''), quote + 1);
        const qsizetype end = close < 0 ? format.size() : close + 1;
        result += format.mid(quote, end - quote);
        from = end;
    }
    return result.simplified();
}

} // namespace

QString LogDateTimeText(const QDateTime &dateTime, const QLocale &locale)
{
    if (!dateTime.isValid())
        return {};
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
