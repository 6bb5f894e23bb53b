#include "platform/core/FileUtils.h"

#include "platform/core/Exceptions.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
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
        if (n <= 0)
            return false;
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
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

// Creates, fills and renames the temporary; false on any failure, with the temporary gone.
bool ReplaceFile(const std::string &target, std::string_view data, TNewFileAccess access)
{
    const std::string dir = ExtractFilePath(target);
    const std::string name = ExtractFileName(target);
    if (name.empty())
        return false;
    const std::string prefix = "." + name.substr(0, TempNameMax) + std::string(TempMarker);
    // First, so that the space they hold is free for this save.
    RemoveStaleTemps(dir, prefix);
    std::string temp;
    const int fd = CreateLockedTemp(dir + prefix + std::string(TempRandomLength, 'X'), temp);
    if (fd < 0)
        return false;

    struct stat old;
    const mode_t fresh = access == TNewFileAccess::OwnerOnly ? 0600 : (0644 & ~CurrentUmask());
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 0777) : fresh;
    // Renamed while still locked, so that no other save takes it for abandoned.
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, data) && ::fsync(fd) == 0
        && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    // The data reached the disk before the rename, so a failing close loses nothing.
    Close(fd);
    if (ok)
        SyncDir(dir);
    return ok;
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

std::string ReadWholeFile(const std::string &path)
{
    const auto fail = [&path]() { return EFOpenError("Cannot open file " + path); };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw fail();
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        Close(fd);
        throw fail();
    }
    std::string data;
    if (S_ISREG(st.st_mode))
        data.reserve(static_cast<size_t>(st.st_size));
    char chunk[65536];
    while (true) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            Close(fd);
            throw fail();
        }
        if (n == 0)
            break;
        data.append(chunk, static_cast<size_t>(n));
    }
    Close(fd);
    return data;
}

void WriteFileSafely(const std::string &path, std::string_view data, TNewFileAccess access)
{
    if (!ReplaceFile(ResolveTarget(path), data, access))
        throw EFCreateError("Cannot create file " + path);
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
