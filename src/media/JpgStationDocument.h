// The station document carried by a picture: the newest comment segment that holds
// an SML document, skipping FF FE byte pairs inside EXIF, ICC or thumbnail data and
// comments that are plain text.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct TJpgStationDocument {
    qint64 Offset = 0; // of the segment's FF FE marker
    QByteArray Bytes;  // the comment bytes as stored
    QString Text;      // decoded as every embedded text is
};

// True when the bytes (decoded as embedded text) parse as an XML document whose root
// is KOVA_Station without a namespace. Never fails; never loads anything external.
bool HoldsStationDocument(const QByteArray &bytes);

// Searches back from the last FF FE pair for a segment whose bytes lie inside the
// picture and hold a station document. nullopt when there is none; never fails.
std::optional<TJpgStationDocument> FindStationDocument(const QByteArray &jpg);
