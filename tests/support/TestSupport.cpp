#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace testsupport {

QString corpusDir()
{
    const char *env = std::getenv("ORVANE_CORPUS");
    const QString dir = env ? QString::fromLocal8Bit(env) : QString();
    if (!dir.isEmpty() && QFileInfo(dir + "/MANIFEST.md").exists())
        return QDir(dir).absolutePath();
    return {};
}

std::vector<QString> corpusFiles(const QString &subFolder)
{
    std::vector<QString> files;
    const QString root = corpusDir();
    if (root.isEmpty())
        return files;
    const QDir dir(root + "/" + subFolder);
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
        files.push_back(dir.filePath(name));
    return files;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return f.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QString copyInto(const QString &source, const QTemporaryDir &dir)
{
    const QString target = dir.filePath(QFileInfo(source).fileName());
    QFile::remove(target);
    if (!QFile::copy(source, target))
        throw std::runtime_error("cannot copy " + source.toStdString());
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                      QFile::ReadOther);
    return target;
}

} // namespace testsupport
