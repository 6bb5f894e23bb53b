#pragma once
// Small file helpers over POSIX. Paths use '/'; the directory part of a path is
// everything up to and including its last '/'.

#include <cstdint>
#include <string>
#include <string_view>

namespace FileUtils {

bool FileExists(const std::string &path); // a regular file (or link to one) exists
int64_t FileSize(const std::string &path); // size in bytes, -1 when there is no such file

std::string ExtractFilePath(std::string_view path); // "dir/sub/" of "dir/sub/name"
std::string ExtractFileName(std::string_view path); // "name" of "dir/sub/name"
std::string IncludeTrailingSlash(std::string_view dir); // "" stays ""

// The folder holding the running program, with a trailing '/'.
std::string ExecutableDir();

// The folder of the program's read-only data (dictionaries, ranking tables, lists): the
// program's own folder when ENGLISH.DCT is there (the build tree), else ../share/scrivlo/
// beside it when that exists (an installation under any prefix), else the program's folder.
std::string DataDir();

// The largest file read whole: far more than any story, and little enough that the
// program can still hold it (a document takes several times its file's size in memory).
constexpr int64_t MaxFileSize = 256 * 1024 * 1024;

// Whole file as bytes; raises EFOpenError "Cannot open file PATH" when it cannot be read,
// with the errno or the cause: not a regular file (a pipe or a device is never waited
// for), or larger than MaxFileSize.
std::string ReadWholeFile(const std::string &path);

// Writes data to a temporary file in the target's folder, flushes it to disk and renames
// it over the target, so the target is either the old file or the new one, never a mix.
// The temporary is ".NAME.scrivlo-save-XXXXXX", locked while the save runs; those of
// earlier saves of NAME that were killed midway are removed first. The new file keeps the
// old one's permissions, owner and group.
// A file the user may not write is never replaced (EACCES), nor anything but a regular
// file. Where the folder takes no new file, or the owner or group could not be kept, the
// file is written in place instead: its old content is copied aside first (".NAME.scrivlo-
// backup-XXXXXX", beside it or in the temporary folder, removed after the save) and put
// back if the write fails.
// Raises EFCreateError "Cannot create file PATH" with the errno on any failure; the old
// file survives. A new file gets 0644 less the process's umask, or with OwnerOnly 0600
// (for private work: copies of stories, learned words).
enum class TNewFileAccess { Everyone, OwnerOnly };
void WriteFileSafely(const std::string &path, std::string_view data,
                     TNewFileAccess access = TNewFileAccess::Everyone);

// Creates the folder and its missing parents, each readable by its owner only (0700);
// folders that exist are left as they are. False when the folder is not there after.
bool CreatePrivateFolder(const std::string &path);

} // namespace FileUtils
