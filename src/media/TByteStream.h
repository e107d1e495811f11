// A growable byte buffer with a read/write position, the unit the JPEG comment
// operations work on: pictures are small and held whole in memory.
#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

// Raised when a read wants more bytes than the buffer holds after its position.
class EStreamError : public std::runtime_error
{
public:
    EStreamError() : std::runtime_error("Stream read error") {}
};

class TByteStream
{
public:
    TByteStream() = default;
    explicit TByteStream(QByteArray bytes) : FBytes(std::move(bytes)) {}

    // Reads a whole file; throws std::runtime_error naming the file when it cannot be read.
    static TByteStream LoadFromFile(const QString &fileName);

    const QByteArray &Bytes() const { return FBytes; }
    qint64 Size() const { return FBytes.size(); }
    qint64 Position() const { return FPosition; }
    // Positions past the end are allowed; a later write fills the gap with zeros.
    void SetPosition(qint64 position);

    // Reads one byte; false (and no move) at the end of the buffer.
    bool ReadByte(quint8 &value);
    // Reads exactly count bytes; throws EStreamError (position unchanged) when fewer remain.
    QByteArray ReadExact(qint64 count);
    // Writes at the position, overwriting and extending the buffer.
    void Write(const QByteArray &bytes);

private:
    QByteArray FBytes;
    qint64 FPosition = 0;
};
