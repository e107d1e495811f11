// What kind of media a file holds, told by its first bytes, not its name.
#pragma once

#include <QByteArray>
#include <QString>

enum class TMediaKind { Unknown, Wav, Jpg };

// WAV: a RIFF, RIFX or RF64 header with form type WAVE; JPG: FF D8 FF. Unknown otherwise.
TMediaKind MediaKindOfBytes(const QByteArray &head);

// Reads the file's first bytes. Throws std::runtime_error ("<file>: <reason>") when
// the file cannot be opened.
TMediaKind MediaKindOfFile(const QString &fileName);

// "WAV", "JPG" or "unknown".
QString MediaKindName(TMediaKind kind);
