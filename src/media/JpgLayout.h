// The marker layout of a JPEG picture, as a decoder walks it: header segments by
// their lengths, entropy-coded data skipped up to the next real marker.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

struct TJpgLayout {
    // Offsets of the FF FE markers of the comment segments met on the walk, in order.
    std::vector<qint64> Comments;
    // Offset of the FF D9 that ends the picture; -1 when the bytes end before one.
    qint64 EndOfImage = -1;
    // Empty when the picture can take a new comment; else why not (not a JPEG, a
    // header segment that runs past the end of the file).
    QString Problem;
};

// True when the bytes start like a JPEG picture (FF D8 FF).
bool LooksLikeJpeg(const QByteArray &bytes);

// Walks the picture's markers. Never fails: what the walk cannot follow is reported
// in Problem; a picture cut inside its scan data has no EndOfImage and no Problem.
TJpgLayout WalkJpgLayout(const QByteArray &bytes);
