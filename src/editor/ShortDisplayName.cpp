#include "editor/ShortDisplayName.h"

#include <QFontMetrics>
#include <QRegularExpression>
#include <QStringList>

QString ShortDisplayName(const QString &path, const std::function<int(const QString &)> &width,
                         int maxWidth)
{
    if (width(path) <= maxWidth)
        return path;
    const QChar sep = path.contains(u'/') || !path.contains(u'\\') ? u'/' : u'\\';
    QStringList parts = path.split(sep);
    const QString file = parts.takeLast();
    // An absolute path starts with its root (the empty text before "/") or a drive.
    const bool rooted =
        !parts.isEmpty() && (parts.first().isEmpty() ||
                             QRegularExpression("^[A-Za-z]:$").match(parts.first()).hasMatch());
    const QString root = rooted ? parts.takeFirst() : QString();
    if (parts.isEmpty())
        return path;
    const QString ellipsis = QStringLiteral("...");
    for (int dropped = 1; dropped <= parts.size(); ++dropped) {
        QStringList kept = parts.mid(dropped);
        kept.prepend(ellipsis);
        if (rooted)
            kept.prepend(root);
        kept.append(file);
        const QString candidate = kept.join(sep);
        if (width(candidate) <= maxWidth)
            return candidate;
    }
    return ellipsis + sep + file;
}

QString ShortDisplayName(const QString &path, const QFontMetrics &metrics, int maxWidth)
{
    return ShortDisplayName(
        path, [&metrics](const QString &text) { return metrics.horizontalAdvance(text); },
        maxWidth);
}
