#include "media/TByteStream.h"

#include <QFile>

#include <algorithm>

TByteStream TByteStream::LoadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("%1: %2").arg(fileName, file.errorString()).toStdString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw std::runtime_error(
            QStringLiteral("%1: %2").arg(fileName, file.errorString()).toStdString());
    return TByteStream(std::move(bytes));
}

void TByteStream::SetPosition(qint64 position)
{
    if (position < 0)
        throw std::out_of_range("negative stream position");
    FPosition = position;
}

bool TByteStream::ReadByte(quint8 &value)
{
    if (FPosition >= FBytes.size())
        return false;
    value = static_cast<quint8>(FBytes[FPosition++]);
    return true;
}

QByteArray TByteStream::ReadExact(qint64 count)
{
    if (count < 0 || FPosition > FBytes.size() || count > FBytes.size() - FPosition)
        throw EStreamError();
    QByteArray out = FBytes.mid(FPosition, count);
    FPosition += count;
    return out;
}

void TByteStream::Write(const QByteArray &bytes)
{
    const qint64 end = FPosition + bytes.size();
    if (end > FBytes.size())
        FBytes.resize(end, '\0');
    std::copy(bytes.cbegin(), bytes.cend(), FBytes.begin() + FPosition);
    FPosition = end;
}
