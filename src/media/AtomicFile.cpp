#include "media/AtomicFile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

[[noreturn]] void fail(const QString &fileName, const QString &reason)
{
    throw std::runtime_error(QStringLiteral("%1: %2").arg(fileName, reason).toStdString());
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The temporary file: removed again unless it was renamed into place.
class TTempFile
{
public:
    // The file goes next to target; errors name shownName.
    TTempFile(const QString &target, const QString &shownName)
    {
        const QFileInfo info(target);
        FPath = QFile::encodeName(info.absolutePath() + QLatin1String("/.") + info.fileName() +
                                  QLatin1String(".XXXXXX"));
        FFd = ::mkstemp(FPath.data());
        if (FFd < 0)
            fail(shownName, systemError(errno));
    }
    ~TTempFile()
    {
        if (FFd >= 0)
            ::close(FFd);
        if (!FRenamed)
            ::unlink(FPath.constData());
    }
    TTempFile(const TTempFile &) = delete;
    TTempFile &operator=(const TTempFile &) = delete;

    int Fd() const { return FFd; }
    const char *Path() const { return FPath.constData(); }
    int Close()
    {
        const int result = ::close(FFd);
        FFd = -1;
        return result;
    }
    void Renamed() { FRenamed = true; }

private:
    QByteArray FPath;
    int FFd = -1;
    bool FRenamed = false;
};

} // namespace

void WriteFileAtomically(const QString &name, const QByteArray &bytes)
{
    // A symbolic link is written through: the file it names is replaced, not the link.
    const QFileInfo info(name);
    const QString fileName = info.isSymLink() && info.exists() ? info.canonicalFilePath() : name;
    const QByteArray target = QFile::encodeName(QFileInfo(fileName).absoluteFilePath());
    // A read-only target is the user's protection, not something to rename over.
    if (::access(target.constData(), F_OK) == 0 && ::access(target.constData(), W_OK) != 0)
        fail(name, systemError(errno));
    TTempFile temp(fileName, name);

    // New files get the usual rights; a replaced file keeps its own.
    struct stat existing {
    };
    mode_t mode = 0666;
    if (::stat(target.constData(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (::fchmod(temp.Fd(), mode) != 0)
        fail(name, systemError(errno));

    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(temp.Fd(), data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail(name, systemError(n < 0 ? errno : EIO));
        data += n;
        left -= n;
    }
    if (::fsync(temp.Fd()) != 0 || temp.Close() != 0)
        fail(name, systemError(errno));
    if (::rename(temp.Path(), target.constData()) != 0)
        fail(name, systemError(errno));
    temp.Renamed();
    // Make the rename itself durable.
    const QByteArray folder = QFile::encodeName(QFileInfo(fileName).absolutePath());
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}
