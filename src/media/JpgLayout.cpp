#include "media/JpgLayout.h"

namespace
{

quint8 at(const QByteArray &bytes, qint64 i)
{
    return static_cast<quint8>(bytes[i]);
}

// Markers that stand alone, without a length field: TEM, RST0..RST7, SOI.
bool standsAlone(quint8 marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8);
}

// From inside entropy-coded data to the next marker that is not a stuffed zero, a
// restart marker or fill: its offset, or the size when the data runs to the end.
qint64 skipScanData(const QByteArray &bytes, qint64 i)
{
    const qint64 n = bytes.size();
    while (i + 1 < n) {
        if (at(bytes, i) != 0xFF) {
            ++i;
            continue;
        }
        const quint8 next = at(bytes, i + 1);
        if (next == 0x00 || (next >= 0xD0 && next <= 0xD7))
            i += 2;
        else if (next == 0xFF)
            i += 1;
        else
            return i;
    }
    return n;
}

} // namespace

bool LooksLikeJpeg(const QByteArray &bytes)
{
    return bytes.size() >= 3 && at(bytes, 0) == 0xFF && at(bytes, 1) == 0xD8 &&
           at(bytes, 2) == 0xFF;
}

TJpgLayout WalkJpgLayout(const QByteArray &bytes)
{
    TJpgLayout layout;
    if (!LooksLikeJpeg(bytes)) {
        layout.Problem = QStringLiteral("not a JPEG picture");
        return layout;
    }
    const qint64 n = bytes.size();
    qint64 i = 2;
    while (true) {
        // Bytes between segments that are no marker are skipped, as decoders do.
        while (i < n && at(bytes, i) != 0xFF)
            ++i;
        while (i + 1 < n && at(bytes, i + 1) == 0xFF)
            ++i;
        if (i + 1 >= n)
            return layout;
        const quint8 marker = at(bytes, i + 1);
        if (marker == 0xD9) {
            layout.EndOfImage = i;
            return layout;
        }
        if (marker == 0x00 || standsAlone(marker)) {
            i += 2;
            continue;
        }
        if (i + 4 > n) {
            layout.Problem =
                QStringLiteral("segment at offset %1 runs past the end of the file").arg(i);
            return layout;
        }
        const qint64 length = (at(bytes, i + 2) << 8) | at(bytes, i + 3);
        const qint64 end = i + 2 + length;
        if (length < 2 || end > n) {
            layout.Problem = length < 2
                                 ? QStringLiteral("segment at offset %1 has a bad length").arg(i)
                                 : QStringLiteral("segment at offset %1 runs past the "
                                                  "end of the file")
                                       .arg(i);
            return layout;
        }
        if (marker == 0xFE)
            layout.Comments.push_back(i);
        i = marker == 0xDA ? skipScanData(bytes, end) : end;
    }
}
