#include "about/VersionInfoReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <functional>
#include <optional>

namespace
{

// The block starts with this marker; the rest is pairs of NUL-terminated UTF-8 texts (query
// path, value) ended by an empty path. The marker is put together at run time so that the
// reader's own code never holds a copy of it that a search could find.
QByteArray blockMarker()
{
    QByteArray marker(1, '\0');
    marker += "OrvaneVersionInfo";
    marker += '/';
    marker += '1';
    marker += '\0';
    return marker;
}

constexpr qsizetype maxPathLength = 256;
constexpr qsizetype maxBlockLength = 64 * 1024;

using Values = QHash<QString, QString>;

// Parses the pairs starting at begin; nothing when they do not form a complete block.
std::optional<Values> parsePairs(const char *begin, const char *end)
{
    if (end - begin > maxBlockLength)
        end = begin + maxBlockLength;
    Values values;
    const char *at = begin;
    const auto nextText = [&](qsizetype limit) -> std::optional<QByteArray> {
        const char *limitEnd = end - at > limit ? at + limit : end;
        const char *stop = std::find(at, limitEnd, '\0');
        if (stop == limitEnd)
            return std::nullopt;
        QByteArray text(at, stop - at);
        at = stop + 1;
        return text;
    };
    for (;;) {
        const auto path = nextText(maxPathLength);
        if (!path)
            return std::nullopt;
        if (path->isEmpty())
            return values;
        if (!path->startsWith('\\'))
            return std::nullopt;
        const auto value = nextText(maxBlockLength);
        if (!value)
            return std::nullopt;
        values.insert(QString::fromUtf8(*path).toLower(), QString::fromUtf8(*value));
    }
}

// The first complete block in the bytes; nothing when there is none.
std::optional<Values> findBlock(const char *begin, const char *end)
{
    const QByteArray marker = blockMarker();
    const std::boyer_moore_horspool_searcher searcher(marker.cbegin(), marker.cend());
    for (const char *at = begin;;) {
        const char *hit = std::search(at, end, searcher);
        if (hit == end)
            return std::nullopt;
        if (auto values = parsePairs(hit + marker.size(), end))
            return values;
        at = hit + 1;
    }
}

std::optional<Values> readBlock(const QString &fileName)
{
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly) || file.size() == 0)
        return std::nullopt;
    const uchar *mapped = file.map(0, file.size());
    if (mapped == nullptr)
        return std::nullopt;
    const auto *bytes = reinterpret_cast<const char *>(mapped);
    auto values = findBlock(bytes, bytes + file.size());
    file.unmap(const_cast<uchar *>(mapped));
    return values;
}

} // namespace

QString VersionInfoReader::StandardName(int index)
{
    static const char *const names[StringIndexCount] = {
        "Comments",     "CompanyName",    "FileDescription", "FileVersion",
        "InternalName", "LegalCopyright", "LegalTrademarks", "OriginalFileName",
        "PrivateBuild", "ProductName",    "ProductVersion",  "SpecialBuild"};
    if (index < 0 || index >= StringIndexCount)
        return {};
    return QString::fromLatin1(names[index]);
}

void VersionInfoReader::SetFileName(const QString &fileName)
{
    FFileName = fileName;
    FHasVersionInfo = false;
    FValues.clear();
    FTranslations.clear();

    const QString path = fileName.isEmpty() ? QCoreApplication::applicationFilePath() : fileName;
    auto values = readBlock(path);
    if (!values)
        return;
    FHasVersionInfo = true;
    FValues = std::move(*values);
    FTranslations = QueryValue(QStringLiteral("\\VarFileInfo\\Translation"))
                        .split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString VersionInfoReader::FixedFileVersion() const
{
    return QueryValue(QStringLiteral("\\"));
}

QString VersionInfoReader::QueryValue(const QString &path) const
{
    return FValues.value(path.toLower());
}

QString VersionInfoReader::GetStringFileInfo(const QString &name) const
{
    if (name.isEmpty() || CurrentTranslation().isEmpty())
        return {};
    return QueryValue(QStringLiteral("\\StringFileInfo\\%1\\%2").arg(CurrentTranslation(), name));
}

QString VersionInfoReader::GetStringFileInfoByIdx(int index) const
{
    return GetStringFileInfo(StandardName(index));
}

QByteArray VersionInfoReader::EncodeBlock(const std::vector<std::pair<QString, QString>> &values)
{
    QByteArray block = blockMarker();
    for (const auto &[path, value] : values) {
        block += path.toUtf8() + '\0';
        block += value.toUtf8() + '\0';
    }
    block += '\0';
    return block;
}
