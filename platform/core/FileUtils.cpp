#include "platform/core/FileUtils.h"

#include "platform/core/Exceptions.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <initializer_list>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace FileUtils {

namespace {

// Longest part of the file name used in a temporary's name, leaving room for
// ".NAME.scrivlo-save-XXXXXX" within the usual 255-byte name limit.
constexpr size_t TempNameMax = 200;
constexpr std::string_view TempMarker = ".scrivlo-save-";
constexpr size_t TempRandomLength = 6; // the XXXXXX of mkostemp

int Close(int fd)
{
    // Linux releases the descriptor even when close reports EINTR: never retry.
    return ::close(fd);
}

// The process's file creation mask, read without changing it (umask() would, for a
// moment, for every thread).
mode_t CurrentUmask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    }
    return 022;
}

// The file a write to path really replaces: the target of a symbolic link, so the link
// stays a link.
std::string ResolveTarget(const std::string &path)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char *real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return path;
    std::string resolved(real);
    std::free(real);
    return resolved;
}

bool WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = ENOSPC; // nothing taken: the disk is full
        if (n <= 0)
            return false;
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Writes data at offset 0 of an open file and cuts it to that length; false with errno
// set on failure.
bool WriteAt(int fd, std::string_view data)
{
    off_t offset = 0;
    while (!data.empty()) {
        const ssize_t n = ::pwrite(fd, data.data(), data.size(), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = ENOSPC;
        if (n <= 0)
            return false;
        data.remove_prefix(static_cast<size_t>(n));
        offset += n;
    }
    return ::ftruncate(fd, offset) == 0 && ::fsync(fd) == 0;
}

// Reads an open file from where it stands to its end, at most MaxFileSize bytes; errno
// (0 when it is too large) on failure.
int ReadAll(int fd, std::string &data)
{
    char chunk[65536];
    while (true) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return 0;
        if (static_cast<int64_t>(data.size()) + n > MaxFileSize)
            return EFBIG;
        data.append(chunk, static_cast<size_t>(n));
    }
}

// Whether the process may do what mode asks (W_OK, ...) with path, as its effective user:
// root may write anything on a writable disk, everyone else as the permissions say.
bool MayAccess(const std::string &path, int mode)
{
    return ::faccessat(AT_FDCWD, path.empty() ? "." : path.c_str(), mode, AT_EACCESS) == 0;
}

// Flushes a folder's entries to disk after a rename; a failure here loses nothing.
void SyncDir(const std::string &dir)
{
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        Close(fd);
    }
}

// Locks a whole file for as long as fd is open; false where the file system has no
// such locks.
bool Lock(int fd, int operation)
{
    int rc;
    while ((rc = ::flock(fd, operation)) != 0 && errno == EINTR) { }
    return rc == 0;
}

// Removes the temporaries of saves of the same file that were killed midway. A save holds
// a lock on its temporary from creation to rename, so one that can be locked here is
// abandoned.
void RemoveStaleTemps(const std::string &dir, const std::string &prefix)
{
    DIR *folder = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!folder)
        return;
    std::vector<std::string> found;
    while (const dirent *entry = ::readdir(folder)) {
        const std::string_view name(entry->d_name);
        if (name.size() == prefix.size() + TempRandomLength && name.starts_with(prefix))
            found.emplace_back(dir + std::string(name));
    }
    ::closedir(folder);
    for (const std::string &path : found) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && Lock(fd, LOCK_EX | LOCK_NB))
            ::unlink(path.c_str());
        Close(fd);
    }
}

// Creates the temporary and locks it. Another save may have found it unlocked in the
// moment between and removed it; then a new one is made.
int CreateLockedTemp(const std::string &pattern, std::string &temp)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        temp = pattern;
        const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        Lock(fd, LOCK_EX); // without locks, temporaries are simply never found stale
        struct stat mine, named;
        if (::fstat(fd, &mine) == 0 && ::stat(temp.c_str(), &named) == 0
            && mine.st_dev == named.st_dev && mine.st_ino == named.st_ino)
            return fd;
        Close(fd);
    }
    return -1;
}

// What a save attempt came to: 0, an errno, or KeepOwnerFailed.
constexpr int KeepOwnerFailed = -1;

// Creates, fills and renames the temporary; 0, or the errno of the failure with the
// temporary gone. old is the file replaced, if any: its permissions, owner and group pass
// to the new one, and where the owner or group cannot be passed on nothing is replaced
// (KeepOwnerFailed). A new file gets 0644 less the process's umask, or 0600 for OwnerOnly.
int ReplaceFile(const std::string &target, const struct stat *old, std::string_view data,
                TNewFileAccess access)
{
    const std::string dir = ExtractFilePath(target);
    const std::string name = ExtractFileName(target);
    if (name.empty())
        return EISDIR;
    const std::string prefix = "." + name.substr(0, TempNameMax) + std::string(TempMarker);
    // First, so that the space they hold is free for this save.
    RemoveStaleTemps(dir, prefix);
    std::string temp;
    const int fd = CreateLockedTemp(dir + prefix + std::string(TempRandomLength, 'X'), temp);
    if (fd < 0)
        return errno ? errno : EEXIST;

    int error = 0;
    struct stat mine;
    if (old && ::fstat(fd, &mine) == 0 && (mine.st_uid != old->st_uid || mine.st_gid != old->st_gid)
        && ::fchown(fd, old->st_uid, old->st_gid) != 0)
        error = KeepOwnerFailed;
    const mode_t fresh = access == TNewFileAccess::OwnerOnly ? 0600 : (0644 & ~CurrentUmask());
    const mode_t mode = old ? (old->st_mode & 0777) : fresh;
    // Renamed while still locked, so that no other save takes it for abandoned.
    if (error == 0
        && !(::fchmod(fd, mode) == 0 && WriteAll(fd, data) && ::fsync(fd) == 0
             && ::rename(temp.c_str(), target.c_str()) == 0))
        error = errno ? errno : EIO;
    if (error != 0)
        ::unlink(temp.c_str());
    // The data reached the disk before the rename, so a failing close loses nothing.
    Close(fd);
    if (error == 0)
        SyncDir(dir);
    return error;
}

// Copies bytes to a new private file "NAME.scrivlo-backup-XXXXXX" in the first of the
// folders that takes it; the copy's path, or "" when none did.
std::string WriteBackup(const std::string &name, std::string_view bytes,
                        std::initializer_list<std::string> folders)
{
    for (const std::string &folder : folders) {
        std::string path = folder + name.substr(0, TempNameMax) + ".scrivlo-backup-XXXXXX";
        const int fd = ::mkostemp(path.data(), O_CLOEXEC); // mode 0600
        if (fd < 0)
            continue;
        const bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
        Close(fd);
        if (ok)
            return path;
        ::unlink(path.c_str());
    }
    return std::string();
}

std::string TempFolder()
{
    const char *tmp = std::getenv("TMPDIR");
    return IncludeTrailingSlash(tmp && *tmp ? tmp : "/tmp");
}

// Overwrites the file itself, so that it keeps its owner, group, permissions and links,
// where the folder takes no new file or the owner could not be kept. Room for the new
// content is taken first; the old content is kept in memory and in a backup copy and put
// back when the write fails. 0 or the errno of the failure.
int WriteInPlace(const std::string &target, const struct stat &old, std::string_view data)
{
    const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return errno;
    struct stat st;
    std::string before;
    int error = ::fstat(fd, &st) != 0 ? errno
        : (st.st_dev != old.st_dev || st.st_ino != old.st_ino || !S_ISREG(st.st_mode))
        ? EAGAIN // replaced meanwhile by something else
        : ReadAll(fd, before);
    if (error == 0 && data.size() > before.size()) {
        const int rc = ::fallocate(fd, 0, 0, static_cast<off_t>(data.size()));
        if (rc != 0 && (errno == ENOSPC || errno == EDQUOT || errno == EFBIG))
            error = errno; // nothing written yet
    }
    if (error != 0) {
        Close(fd);
        return error;
    }
    const std::string name = ExtractFileName(target);
    const std::string backup
        = WriteBackup("." + name, before, { ExtractFilePath(target), TempFolder() });
    bool restored = true;
    if (!WriteAt(fd, data)) {
        error = errno ? errno : EIO;
        restored = WriteAt(fd, before);
    }
    Close(fd);
    if (restored && !backup.empty())
        ::unlink(backup.c_str()); // else it stays, the one whole copy of the old content
    return error;
}

} // namespace

bool FileExists(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int64_t FileSize(const std::string &path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return static_cast<int64_t>(st.st_size);
}

std::string ExtractFilePath(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string ExtractFileName(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string IncludeTrailingSlash(std::string_view dir)
{
    std::string d(dir);
    if (!d.empty() && d.back() != '/')
        d += '/';
    return d;
}

std::string ExecutableDir()
{
    std::string buffer(PATH_MAX, '\0');
    while (true) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return "./"; // no /proc: the current folder is the best guess
        if (static_cast<size_t>(n) < buffer.size()) {
            buffer.resize(static_cast<size_t>(n));
            return ExtractFilePath(buffer);
        }
        buffer.resize(buffer.size() * 2); // the link may have been cut short
    }
}

std::string DataDir()
{
    const std::string programDir = ExecutableDir();
    if (FileExists(programDir + "ENGLISH.DCT"))
        return programDir;
    const std::string installed = programDir + "../share/scrivlo/";
    struct stat st;
    return ::stat(installed.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? installed : programDir;
}

std::string ReadWholeFile(const std::string &path)
{
    using Cause = EStreamError::TCause;
    const auto fail = [&path](int code, Cause cause = Cause::System) {
        return EFOpenError("Cannot open file " + path, code, cause);
    };
    // Without O_NONBLOCK a pipe without a writer would hold the open for ever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        throw fail(errno);
    struct stat st;
    int error = ::fstat(fd, &st) != 0 ? errno : 0;
    // A device or a pipe may never end (/dev/zero) or never begin.
    const Cause cause = error != 0 || S_ISDIR(st.st_mode) ? Cause::System
        : !S_ISREG(st.st_mode)                            ? Cause::NotAFile
        : st.st_size > MaxFileSize                        ? Cause::TooLarge
                                                          : Cause::System;
    if (error == 0 && S_ISDIR(st.st_mode))
        error = EISDIR;
    std::string data;
    if (error == 0 && cause == Cause::System) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        data.reserve(static_cast<size_t>(st.st_size));
        error = ReadAll(fd, data);
    }
    Close(fd);
    if (error == EFBIG)
        throw fail(0, Cause::TooLarge); // it grew while read
    if (error != 0 || cause != Cause::System)
        throw fail(error, cause);
    return data;
}

void WriteFileSafely(const std::string &path, std::string_view data, TNewFileAccess access)
{
    using Cause = EStreamError::TCause;
    const auto fail = [&path](int code, Cause cause = Cause::System) {
        return EFCreateError("Cannot create file " + path, code, cause);
    };
    const std::string target = ResolveTarget(path);
    struct stat old;
    if (::stat(target.c_str(), &old) != 0) {
        if (errno != ENOENT)
            throw fail(errno);
        if (const int error = ReplaceFile(target, nullptr, data, access))
            throw fail(error);
        return;
    }
    if (S_ISDIR(old.st_mode))
        throw fail(EISDIR);
    if (!S_ISREG(old.st_mode))
        throw fail(0, Cause::NotAFile); // a device or a pipe is not replaced by a file
    // The folder's permission would let a file the user may not write be replaced.
    if (!MayAccess(target, W_OK))
        throw fail(errno);
    int error = MayAccess(ExtractFilePath(target), W_OK | X_OK)
        ? ReplaceFile(target, &old, data, access)
        : KeepOwnerFailed;
    if (error == KeepOwnerFailed)
        error = WriteInPlace(target, old, data);
    if (error != 0)
        throw fail(error);
}

bool CreatePrivateFolder(const std::string &path)
{
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) == 0)
        return !path.empty() && S_ISDIR(st.st_mode);
    std::string parent = path;
    while (parent.size() > 1 && parent.back() == '/')
        parent.pop_back();
    parent = ExtractFilePath(parent);
    if (parent.size() > 1 && !CreatePrivateFolder(parent))
        return false;
    // Another program may make it in the meantime; then it is there all the same.
    return ::mkdir(path.c_str(), 0700) == 0
        || (errno == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode));
}

} // namespace FileUtils
