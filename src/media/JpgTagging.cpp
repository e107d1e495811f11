#include "media/JpgTagging.h"

#include "media/AtomicFile.h"
#include "media/EmbeddedText.h"
#include "media/JpgComment.h"
#include "media/JpgLayout.h"
#include "media/TByteStream.h"

#include <stdexcept>

namespace
{

[[noreturn]] void fail(const QString &fileName, const QString &reason)
{
    throw std::runtime_error(QStringLiteral("%1: %2").arg(fileName, reason).toStdString());
}

QByteArray readPicture(const QString &fileName)
{
    QByteArray bytes = TByteStream::LoadFromFile(fileName).Bytes();
    if (!LooksLikeJpeg(bytes))
        fail(fileName, QStringLiteral("not a JPEG picture"));
    return bytes;
}

} // namespace

QByteArray InsertJpgComment(const QByteArray &picture, const QByteArray &comment)
{
    if (comment.size() > MaxJpegCommentBytes)
        throw std::runtime_error(QStringLiteral("the document has %1 bytes, more than a JPEG "
                                                "comment can hold (%2)")
                                     .arg(comment.size())
                                     .arg(MaxJpegCommentBytes)
                                     .toStdString());
    const TJpgLayout layout = WalkJpgLayout(picture);
    if (!layout.Problem.isEmpty())
        throw std::runtime_error(layout.Problem.toStdString());

    const qint64 length = comment.size() + 2;
    QByteArray segment;
    segment.reserve(length + 4);
    segment.append('\xFF').append('\xFE');
    segment.append(static_cast<char>(length >> 8)).append(static_cast<char>(length & 0xFF));
    segment.append(comment);

    QByteArray out;
    out.reserve(picture.size() + segment.size() + 2);
    if (layout.EndOfImage >= 0) {
        out.append(picture.left(layout.EndOfImage));
        out.append(segment);
        out.append(picture.mid(layout.EndOfImage));
    } else {
        out.append(picture);
        out.append(segment);
        out.append("\xFF\xD9", 2);
    }
    return out;
}

std::optional<TJpgStationDocument> ReadJpgStationDocument(const QString &fileName)
{
    return FindStationDocument(readPicture(fileName));
}

void TagJpgFile(const QString &source, const QString &target, const QString &text,
                const TTagProgress &progress)
{
    TagJpgPicture(readPicture(source), source, target, text, progress);
}

void TagJpgPicture(const QByteArray &picture, const QString &source, const QString &target,
                   const QString &text, const TTagProgress &progress)
{
    QByteArray tagged;
    try {
        tagged = InsertJpgComment(picture, EncodeEmbeddedText(text));
    } catch (const std::runtime_error &e) {
        fail(source, QString::fromUtf8(e.what()));
    }
    if (progress)
        progress(0, tagged.size());
    WriteFileAtomically(target, tagged);
    if (progress)
        progress(tagged.size(), tagged.size());
}
