// How the file-name boxes show a path that may be too wide for them.
#pragma once

#include <QString>

#include <functional>

class QFontMetrics;

// The path itself when width(path) <= maxWidth. Otherwise the folders are
// shortened from the left: "..." takes the place of the first folder below the
// root or drive ("/.../b/c/f", "C:\...\b\c\f"), then further leading folders
// go one by one, and last the root or drive goes too, leaving ".../" and the
// file name. Returns the first form that fits, else that last form. A text
// without folders ("<default>", "f.wav", "/f.wav") comes back as it is. Both
// "/" and "\" separate folders (documents written on other systems use "\").
QString ShortDisplayName(const QString &path, const std::function<int(const QString &)> &width,
                         int maxWidth = 170);
// The same, measured in a font's metrics.
QString ShortDisplayName(const QString &path, const QFontMetrics &metrics, int maxWidth = 170);
