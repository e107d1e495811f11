// The text codec for documents embedded in recordings and pictures.
#pragma once

#include <QByteArray>
#include <QString>

// The bytes to embed: UTF-8 without byte-order mark or terminator, every line break
// (LF, CR or CR LF) written as CR LF. Empty text gives no bytes.
QByteArray EncodeEmbeddedText(const QString &text);

// Decodes embedded bytes: a byte-order mark, or else an XML declaration naming an
// encoding the system knows, decides; otherwise valid UTF-8 is UTF-8 and anything
// else is Windows-1252 (files tagged on Windows). Never fails; empty bytes give
// empty text. A leading byte-order mark is not part of the text.
QString DecodeEmbeddedText(const QByteArray &bytes);
