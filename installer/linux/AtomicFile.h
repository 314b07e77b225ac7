#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string_view>

namespace installer::xdg {

// Writes a block like write(2): the count written, or -1 with errno set.
using BlockWriter = std::function<ssize_t(int fd, const char* data, std::size_t size)>;

// The plain write(2).
ssize_t WriteBlock(int fd, const char* data, std::size_t size);

enum class Placement {
    Replace, // the new file takes the place of whatever has the name
    New,     // the name must be free; nothing is replaced
};

// Copies a file so that the destination is never seen half written: the
// bytes go to a temporary file in the destination's folder, which is flushed
// to disk and then renamed into place. On any failure the temporary file is
// removed and the destination stays as it was; one left by a copy that was
// killed is removed by the next copy to the same name. The new file gets the
// permissions the user's umask gives a new file (executable when the source
// is executable by its owner), never the source's own. Throws
// std::filesystem::filesystem_error naming the path that failed.
void CopyAtomically(const std::filesystem::path& from, const std::filesystem::path& to, Placement placement,
                    const BlockWriter& write = WriteBlock);

// Writes the bytes into the file the same way, replacing it.
void WriteAtomically(const std::filesystem::path& to, std::string_view contents,
                     const BlockWriter& write = WriteBlock);

} // namespace installer::xdg
