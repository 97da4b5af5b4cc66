#include "platform/FileIO.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string SystemReason(int error) { return std::strerror(error); }

WriteResult Failed(std::string reason) { return WriteResult{false, std::move(reason)}; }

bool Fail(std::string *reason, const std::string &why) {
    if (reason)
        *reason = why;
    return false;
}

// The file a path names after every symbolic link is followed; the path itself when it is no link.
// False for a loop of links.
bool FollowLinks(std::filesystem::path &path, std::string *reason) {
    namespace fs = std::filesystem;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec)))
            return true;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            return Fail(reason, ec.message());
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return Fail(reason, SystemReason(ELOOP));
}

bool IsOurTemporaryName(std::string_view name) {
    return name.size() == kTempFilePrefix.size() + 6 && name.substr(0, kTempFilePrefix.size()) == kTempFilePrefix;
}

// Removes the temporary files of a killed save: a save in progress holds a lock on its own, so a
// file whose lock can be taken belongs to nobody.
void RemoveStaleTemporaries(const std::string &folder) {
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        if (!IsOurTemporaryName(entry->d_name))
            continue;
        const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

} // namespace

WriteResult WriteFileAtomically(const std::string &path, std::span<const uint8_t> bytes) {
    namespace fs = std::filesystem;
    fs::path target(path);
    std::string reason;
    if (!FollowLinks(target, &reason))
        return Failed(reason);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return Failed(SystemReason(errno));
    if (exists && S_ISDIR(old.st_mode))
        return Failed(SystemReason(EISDIR));
    // Renaming needs only the folder's permission: a read-only file is refused here, by its mode
    // (which holds even for root) and by this user's right to write it.
    if (exists && ((old.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0))
        return Failed(std::string(kReadOnlyReason));

    RemoveStaleTemporaries(folder.string());
    std::string temp = (folder / (std::string(kTempFilePrefix) + "XXXXXX")).string();
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return Failed(SystemReason(errno));
    ::flock(fd, LOCK_EX | LOCK_NB); // marks the file as in use until it is closed
    int error = 0;
    size_t written = 0;
    while (error == 0 && written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            error = n < 0 ? errno : EIO;
        else
            written += static_cast<size_t>(n);
    }
    if (exists) {
        // Owner and group first, since changing them may clear set-id bits that the mode then puts
        // back. Where the system refuses another owner, the group alone is tried; where it refuses
        // both, the file belongs to the user saving it and keeps its mode.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0)
            errno = 0;
        if (error == 0 && ::fchmod(fd, old.st_mode & 07777) != 0)
            error = errno;
    } else {
        // A new file gets the permissions a plain create would give (mkstemp makes it 0600).
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (error == 0 && ::fchmod(fd, 0666 & ~mask) != 0)
            error = errno;
    }
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && std::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return Failed(SystemReason(error));
    }
    return {};
}

WriteResult WriteFileAtomically(const std::string &path, std::string_view text) {
    return WriteFileAtomically(path,
                               std::span<const uint8_t>(reinterpret_cast<const uint8_t *>(text.data()), text.size()));
}

std::string SaveFailedText(std::string_view path, std::string_view reason) {
    return std::string(kSaveFailedMessage) + "\n" + std::string(path) + ": " + std::string(reason);
}

FileReader::~FileReader() { Close(); }

void FileReader::Close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    size_ = 0;
}

FileReader::TOpen FileReader::Open(const std::string &path, std::string *reason) {
    Close();
    // Without O_NONBLOCK, opening a FIFO would wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return TOpen::NotFound;
        Fail(reason, SystemReason(error));
        return TOpen::Failed;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = errno;
        ::close(fd);
        Fail(reason, S_ISDIR(st.st_mode) ? SystemReason(EISDIR)
                     : st.st_mode != 0   ? std::string("Not a regular file")
                                         : SystemReason(error));
        return TOpen::Failed;
    }
    fd_ = fd;
    size_ = static_cast<uint64_t>(st.st_size);
    return TOpen::Ok;
}

bool FileReader::Read(std::span<uint8_t> buffer, size_t &count, std::string *reason) {
    count = 0;
    if (fd_ < 0)
        return Fail(reason, SystemReason(EBADF));
    for (;;) {
        const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
        if (n >= 0) {
            count = static_cast<size_t>(n);
            return true;
        }
        if (errno != EINTR)
            return Fail(reason, SystemReason(errno));
    }
}

TReadFile ReadWholeFile(const std::string &path, std::vector<uint8_t> &bytes, uint64_t maxBytes, std::string *reason) {
    bytes.clear();
    FileReader file;
    switch (file.Open(path, reason)) {
    case FileReader::TOpen::NotFound:
        return TReadFile::NotFound;
    case FileReader::TOpen::Failed:
        return TReadFile::Failed;
    case FileReader::TOpen::Ok:
        break;
    }
    if (file.Size() > maxBytes)
        return TReadFile::TooBig;
    // The size is only what the file held when it was opened: a file that grows is cut off at the cap.
    bytes.resize(static_cast<size_t>(file.Size()));
    size_t have = 0;
    uint8_t chunk[65536];
    for (;;) {
        size_t n = 0;
        if (!file.Read(chunk, n, reason))
            return TReadFile::Failed;
        if (n == 0)
            break;
        if (have + n > maxBytes)
            return TReadFile::TooBig;
        if (have + n > bytes.size())
            bytes.resize(have + n);
        std::memcpy(bytes.data() + have, chunk, n);
        have += n;
    }
    bytes.resize(have);
    return TReadFile::Ok;
}

} // namespace platform
