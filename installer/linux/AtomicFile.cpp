#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace installer::xdg {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const fs::path& path, int error)
{
    throw fs::filesystem_error("cannot write", path, std::error_code(error, std::generic_category()));
}

// A file descriptor closed on destruction.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) { }
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void Reset(int fd)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    // Closes now, reporting the error that close(2) may be the first to see.
    int Close()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

mode_t NewFileMode(bool executable)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return (executable ? 0777 : 0666) & ~mask;
}

bool WriteAll(int fd, const char* data, std::size_t size, const BlockWriter& write)
{
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

// Temporary files of earlier copies to the same destination that were cut
// off (the installer killed, the machine stopped) hold nothing of value.
void RemoveLeftovers(const fs::path& destination, const std::string& prefix)
{
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(destination.parent_path(), error)) {
        const std::string name = entry.path().filename().native();
        if (name.size() == prefix.size() + 6 && name.starts_with(prefix) && entry.is_regular_file(error))
            fs::remove(entry.path(), error);
    }
}

// The temporary file beside the destination, removed unless it was put in
// place.
class TemporaryFile {
public:
    TemporaryFile(const fs::path& destination, bool executable)
    {
        const std::string prefix = "." + destination.filename().native() + ".";
        RemoveLeftovers(destination, prefix);
        std::string name = (destination.parent_path() / prefix).native();
        name += "XXXXXX";
        fd_.Reset(::mkostemp(name.data(), O_CLOEXEC));
        if (fd_.get() < 0)
            Fail(destination, errno);
        path_ = name;
        if (::fchmod(fd_.get(), NewFileMode(executable)) != 0)
            Fail(destination, errno);
    }
    ~TemporaryFile()
    {
        if (!path_.empty())
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_.get(); }

    // Flushes, closes and renames the file into place.
    void Commit(const fs::path& destination, Placement placement)
    {
        if (::fsync(fd_.get()) != 0 || fd_.Close() != 0)
            Fail(destination, errno);
        if (placement == Placement::Replace) {
            if (::rename(path_.c_str(), destination.c_str()) != 0)
                Fail(destination, errno);
        } else {
            // renameat2 refuses to replace; where the file system lacks it,
            // a hard link does the same.
            if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, destination.c_str(), RENAME_NOREPLACE) != 0) {
                if (errno != EINVAL && errno != ENOSYS)
                    Fail(destination, errno);
                if (::link(path_.c_str(), destination.c_str()) != 0)
                    Fail(destination, errno);
                ::unlink(path_.c_str());
            }
        }
        path_.clear();
        // Make the rename itself durable; a failure here loses nothing.
        Descriptor folder(::open(destination.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.get() >= 0)
            ::fsync(folder.get());
    }

private:
    Descriptor fd_;
    fs::path path_;
};

} // namespace

ssize_t WriteBlock(int fd, const char* data, std::size_t size)
{
    return ::write(fd, data, size);
}

void CopyAtomically(const fs::path& from, const fs::path& to, Placement placement, const BlockWriter& write)
{
    Descriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status { };
    if (source.get() < 0 || ::fstat(source.get(), &status) != 0)
        Fail(from, errno);
    if (!S_ISREG(status.st_mode))
        Fail(from, S_ISDIR(status.st_mode) ? EISDIR : EINVAL);
    if (placement == Placement::New && ::faccessat(AT_FDCWD, to.c_str(), F_OK, AT_SYMLINK_NOFOLLOW) == 0)
        Fail(to, EEXIST);

    TemporaryFile temporary(to, (status.st_mode & S_IXUSR) != 0);
    char block[65536];
    for (;;) {
        const ssize_t count = ::read(source.get(), block, sizeof block);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            Fail(from, errno);
        if (count == 0)
            break;
        if (!WriteAll(temporary.fd(), block, std::size_t(count), write))
            Fail(to, errno);
    }
    temporary.Commit(to, placement);
}

void WriteAtomically(const fs::path& to, std::string_view contents, const BlockWriter& write)
{
    TemporaryFile temporary(to, false);
    if (!WriteAll(temporary.fd(), contents.data(), contents.size(), write))
        Fail(to, errno);
    temporary.Commit(to, Placement::Replace);
}

} // namespace installer::xdg
