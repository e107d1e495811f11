#include "Riff/ERiffError.h"

#include <QFileInfo>

ERiffError ERiffError::Check(const QString &text, const char *sourceFile, int line)
{
    return ERiffError(QStringLiteral("%1 (%2, line %3)")
                          .arg(text, QFileInfo(QString::fromUtf8(sourceFile)).fileName())
                          .arg(line));
}
