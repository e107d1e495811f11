// The JPEG comment segment: put a text into a picture as a COM segment
// (FF FE, big-endian length counting itself, the bytes) and get it back.
#pragma once

#include "media/TByteStream.h"

#include <QString>

#include <memory>

// Largest comment one COM segment can hold (its length field counts itself).
constexpr qint64 MaxJpegCommentBytes = 65533;

// Scans the whole buffer for the byte pair Byte1 Byte2 and sets FoundAt to the offset
// of the last pair; a byte taken as a possible second byte is never a first byte
// (FF FF D9 holds no FF D9). Leaves the position at the end. False, FoundAt untouched,
// when memStream is null or holds no pair.
bool Find2ByteOccuranceStart(TByteStream *memStream, quint8 Byte1, quint8 Byte2, qint32 &FoundAt);

// Writes the picture with one more COM segment holding the comment buffer's bytes,
// placed at the last FF D9 pair (appended when there is none) and followed by FF D9;
// bytes after that pair are overwritten. Takes over msJPG and leaves it empty, also on
// failure. A comment over MaxJpegCommentBytes is refused before anything is written;
// a failed write throws and leaves an existing file untouched.
void AddCommentToStream(const QString &FileName, std::unique_ptr<TByteStream> &msJPG,
                        const TByteStream &comment);

// The decoded text of the segment at the last FF FE pair; empty text when there is
// none. Throws EStreamError when the length or the bytes run past the end.
QString ExtractComment(TByteStream &msJPG);
