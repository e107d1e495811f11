#include "Riff/TFileHandle.h"

#include "Riff/ERiffError.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace
{

// Kernel copies go in slices of this size so progress is reported during long copies.
constexpr qint64 CopySlice = qint64(64) << 20;
// The buffer for copies the kernel cannot do itself; bounds the memory of a save.
constexpr qint64 CopyBuffer = qint64(4) << 20;

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

TFileHandle::~TFileHandle()
{
    if (FFd >= 0)
        ::close(FFd);
}

TFileHandle::TFileHandle(TFileHandle &&other) noexcept : FFd(other.FFd)
{
    other.FFd = -1;
}

TFileHandle &TFileHandle::operator=(TFileHandle &&other) noexcept
{
    if (this != &other) {
        if (FFd >= 0)
            ::close(FFd);
        FFd = other.FFd;
        other.FFd = -1;
    }
    return *this;
}

TFileHandle TFileHandle::Open(const QString &name, bool writable)
{
    const QByteArray path = QFile::encodeName(name);
    int fd;
    do
        // Non-blocking, so that a pipe chosen by mistake cannot hang the open.
        fd = ::open(path.constData(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        throw ERiffError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(name, SystemReason(errno)));
    TFileHandle file(fd);
    // A folder, pipe or device opens but is no file to load or write.
    const mode_t mode = file.Stat().st_mode;
    if (!S_ISREG(mode))
        throw ERiffError(QStringLiteral("Cannot open file \"%1\". %2")
                             .arg(name, S_ISDIR(mode) ? SystemReason(EISDIR)
                                                      : QStringLiteral("Not a regular file")));
    return file;
}

struct stat TFileHandle::Stat() const
{
    struct stat st {
    };
    if (::fstat(FFd, &st) != 0)
        throw ERiffError(QStringLiteral("Cannot query file. %1").arg(SystemReason(errno)));
    return st;
}

qint64 TFileHandle::ReadAt(qint64 offset, char *data, qint64 size) const
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pread(FFd, data + done, size_t(size - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw ERiffError(QStringLiteral("Read error. %1").arg(SystemReason(errno)));
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

qint64 TFileHandle::WriteAt(qint64 offset, const char *data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(FFd, data + done, size_t(size - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}

qint64 TFileHandle::CopyFrom(const TFileHandle &source, qint64 sourceOffset, qint64 offset,
                             qint64 size, const std::function<void(qint64)> &progress)
{
    qint64 done = 0;
    bool kernel = true;
    std::vector<char> buffer;
    while (done < size) {
        const qint64 slice = std::min(size - done, kernel ? CopySlice : CopyBuffer);
        qint64 moved = 0;
        if (kernel) {
            loff_t in = sourceOffset + done, out = offset + done;
            while (moved < slice) {
                const ssize_t n =
                    ::copy_file_range(source.FFd, &in, FFd, &out, size_t(slice - moved), 0);
                if (n < 0 && errno == EINTR)
                    continue;
                if (n < 0 && moved == 0 && done == 0 &&
                    (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP ||
                     errno == EBADF))
                    break; // not possible between these files: copy through a buffer
                if (n <= 0)
                    return done + moved;
                moved += n;
            }
            if (moved == 0 && done == 0) {
                kernel = false;
                continue;
            }
        } else {
            buffer.resize(size_t(CopyBuffer));
            const qint64 got = source.ReadAt(sourceOffset + done, buffer.data(), slice);
            moved = WriteAt(offset + done, buffer.data(), got);
            if (got < slice || moved < got)
                return done + moved;
        }
        // Start writing the slice to disk now, so the flush at the end of a save has
        // little left to wait for.
        ::sync_file_range(FFd, offset + done, moved, SYNC_FILE_RANGE_WRITE);
        done += moved;
        if (progress)
            progress(done);
    }
    return done;
}

bool TFileHandle::Sync()
{
    return ::fsync(FFd) == 0;
}

bool TFileHandle::Truncate(qint64 size)
{
    return ::ftruncate(FFd, off_t(size)) == 0;
}
