#include "media/MediaKind.h"

#include "media/JpgLayout.h"

#include <QFile>

#include <stdexcept>

TMediaKind MediaKindOfBytes(const QByteArray &head)
{
    if (LooksLikeJpeg(head))
        return TMediaKind::Jpg;
    const QByteArray id = head.left(4);
    if ((id == "RIFF" || id == "RIFX" || id == "RF64") && head.mid(8, 4) == "WAVE")
        return TMediaKind::Wav;
    return TMediaKind::Unknown;
}

TMediaKind MediaKindOfFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("%1: %2").arg(fileName, file.errorString()).toStdString());
    return MediaKindOfBytes(file.read(12));
}

QString MediaKindName(TMediaKind kind)
{
    switch (kind) {
    case TMediaKind::Wav:
        return QStringLiteral("WAV");
    case TMediaKind::Jpg:
        return QStringLiteral("JPG");
    case TMediaKind::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}
