#include "media/JpgComment.h"

#include "media/AtomicFile.h"
#include "media/EmbeddedText.h"

#include <stdexcept>

bool Find2ByteOccuranceStart(TByteStream *memStream, quint8 Byte1, quint8 Byte2, qint32 &FoundAt)
{
    if (memStream == nullptr)
        return false;
    memStream->SetPosition(0);
    bool found = false;
    quint8 first = 0;
    while (memStream->ReadByte(first)) {
        if (first != Byte1)
            continue;
        const qint64 at = memStream->Position() - 1;
        quint8 second = 0;
        if (memStream->ReadByte(second) && second == Byte2) {
            FoundAt = static_cast<qint32>(at);
            found = true;
        }
    }
    return found;
}

void AddCommentToStream(const QString &FileName, std::unique_ptr<TByteStream> &msJPG,
                        const TByteStream &comment)
{
    // The picture buffer is ours from here on and is released on every path.
    const std::unique_ptr<TByteStream> picture = std::move(msJPG);
    if (!picture)
        throw std::invalid_argument("AddCommentToStream: no picture bytes");
    const qint64 count = comment.Size();
    if (count > MaxJpegCommentBytes)
        throw std::runtime_error(QStringLiteral("Comment of %1 bytes is too long for a JPEG "
                                                "comment segment (at most %2 bytes)")
                                     .arg(count)
                                     .arg(MaxJpegCommentBytes)
                                     .toStdString());
    const qint64 length = count + 2;
    QByteArray segment;
    segment.reserve(length + 4);
    segment.append('\xFF').append('\xFE');
    segment.append(static_cast<char>((length >> 8) & 0xFF))
        .append(static_cast<char>(length & 0xFF));
    segment.append(comment.Bytes());
    segment.append('\xFF').append('\xD9');

    qint32 eoiFoundAt = 0;
    if (Find2ByteOccuranceStart(picture.get(), 0xFF, 0xD9, eoiFoundAt))
        picture->SetPosition(eoiFoundAt);
    picture->Write(segment);
    WriteFileAtomically(FileName, picture->Bytes());
}

QString ExtractComment(TByteStream &msJPG)
{
    qint32 comFoundAt = 0;
    if (!Find2ByteOccuranceStart(&msJPG, 0xFF, 0xFE, comFoundAt))
        return {};
    msJPG.SetPosition(static_cast<qint64>(comFoundAt) + 2);
    const QByteArray lengthBytes = msJPG.ReadExact(2);
    // Sixteen-bit arithmetic: a length of 0 or 1 asks for 65534 or 65535 bytes.
    const quint16 length = static_cast<quint16>((static_cast<quint8>(lengthBytes[0]) << 8) |
                                                static_cast<quint8>(lengthBytes[1]));
    const quint16 count = static_cast<quint16>(length - 2);
    return DecodeEmbeddedText(msJPG.ReadExact(count));
}
