// Whole-file writes that either complete or leave the target as it was.
#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes to a temporary file in the target's folder, flushes it to disk and
// renames it over name (over the file a symbolic link names). A read-only target is
// refused. On any failure throws std::runtime_error ("<name>: <reason>"); an existing
// target is untouched and no temporary file remains.
void WriteFileAtomically(const QString &name, const QByteArray &bytes);
