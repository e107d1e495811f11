#include "Riff/ERiffError.h"

#include <QFileInfo>

ERiffError ERiffError::Check(const QString &text, const char *sourceFile, int line)
{
    // One pass over the pattern: a text holding "%1" (a chunk id may) stays as it is.
    return ERiffError(
        QStringLiteral("%1 (%2, line %3)")
            .arg(text, QFileInfo(QString::fromUtf8(sourceFile)).fileName(), QString::number(line)));
}
