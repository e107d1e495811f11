// Tagging JPG pictures with the station document, shared by the window and the
// command-line tagger so that both write and read exactly the same bytes.
#pragma once

#include "media/JpgStationDocument.h"
#include "media/TagProgress.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The picture with one more comment segment holding comment, placed just before the
// picture's own end-of-image marker, or appended with a new marker when the picture
// is cut short in its scan data. Every byte of the picture is kept, earlier comments
// and trailers after the image included. Throws std::runtime_error (the picture's
// bytes unchanged) for a non-JPEG, a header segment that runs past the end, or a
// comment longer than one segment can hold.
QByteArray InsertJpgComment(const QByteArray &picture, const QByteArray &comment);

// The station document of the picture file; nullopt when it carries none. Throws
// std::runtime_error ("<file>: <reason>") when the file cannot be read or is no JPEG.
std::optional<TJpgStationDocument> ReadJpgStationDocument(const QString &fileName);

// Writes source with the text (as embedded text: UTF-8, CR LF) in a new comment
// segment to target, which may be source itself. The write is atomic: on any failure
// std::runtime_error ("<file>: <reason>") is thrown and target is left as it was.
void TagJpgFile(const QString &source, const QString &target, const QString &text,
                const TTagProgress &progress = {});

// The same for picture bytes already read from source (named in errors): writes them
// with the text in a new comment segment to target, atomically. Throws as TagJpgFile.
void TagJpgPicture(const QByteArray &picture, const QString &source, const QString &target,
                   const QString &text, const TTagProgress &progress = {});
