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

// Whole file as bytes; raises EFOpenError "Cannot open file PATH" when it cannot be read.
std::string ReadWholeFile(const std::string &path);

// Writes data to a temporary file in the target's folder, flushes it to disk and renames
// it over the target, so the target is either the old file or the new one, never a mix.
// The temporary is ".NAME.scrivlo-save-XXXXXX", locked while the save runs; those of
// earlier saves of NAME that were killed midway are removed first.
// Raises EFCreateError "Cannot create file PATH" on any failure; the old file survives.
// A file that exists keeps its mode; a new one gets 0644 less the umask, or with
// OwnerOnly 0600 (for copies of private work).
enum class TNewFileAccess { Everyone, OwnerOnly };
void WriteFileSafely(const std::string &path, std::string_view data,
                     TNewFileAccess access = TNewFileAccess::Everyone);

// Creates the folder and its missing parents, each readable by its owner only (0700);
// folders that exist are left as they are. False when the folder is not there after.
bool CreatePrivateFolder(const std::string &path);

} // namespace FileUtils
