// An owned POSIX file descriptor with the few positioned operations the RIFF
// container needs. Reads report system failures as ERiffError; writes report how
// many bytes reached the file so the caller can name what it was writing.
#pragma once

#include <QString>

#include <functional>
#include <sys/stat.h>

class TFileHandle
{
public:
    TFileHandle() = default;
    explicit TFileHandle(int fd) : FFd(fd) {}
    ~TFileHandle();
    TFileHandle(TFileHandle &&other) noexcept;
    TFileHandle &operator=(TFileHandle &&other) noexcept;
    TFileHandle(const TFileHandle &) = delete;
    TFileHandle &operator=(const TFileHandle &) = delete;

    // Opens for reading (or reading and writing); throws
    // 'Cannot open file "<name>". <reason>' when it cannot.
    static TFileHandle Open(const QString &name, bool writable = false);

    int Fd() const { return FFd; }
    bool IsOpen() const { return FFd >= 0; }
    // Throws when the descriptor cannot be queried.
    struct stat Stat() const;

    // Reads up to size bytes at offset; fewer only at the end of the file. Throws on an I/O error.
    qint64 ReadAt(qint64 offset, char *data, qint64 size) const;
    // Writes at offset; returns the bytes written, fewer when the system refused the rest.
    qint64 WriteAt(qint64 offset, const char *data, qint64 size);
    // Copies size bytes from source at sourceOffset to this file at offset, in the
    // kernel when it can, reporting each finished slice to progress (bytes of this
    // copy); returns the bytes copied, fewer when a read or write failed.
    qint64 CopyFrom(const TFileHandle &source, qint64 sourceOffset, qint64 offset, qint64 size,
                    const std::function<void(qint64)> &progress);
    // Flushes data and size to disk; false when the system reports a failure.
    bool Sync();
    // Sets the file length; false when the system refuses.
    bool Truncate(qint64 size);

private:
    int FFd = -1;
};
