#pragma once
// The file of a user's learned words: one word a line, in code page 1252 as earlier
// versions wrote it, or in UTF-8 or UTF-16 as a parent's text editor may save it. Every
// change goes through Merge, which holds a lock beside the file while it reads what is
// there, adds to it and renames the new list over it, so that two programs saving at
// once each keep the other's words.

#include "platform/core/TStringList.h"
#include "platform/core/TextEncoding.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace LearnedWordFile {

// A list larger than this is not a list of learned words.
constexpr int64_t MaxSize = 16 * 1024 * 1024;

// USERDCT-ES.TXT for the Spanish dictionary, USERDCT.TXT for every other one.
std::string NameFor(std::string_view dictionaryPath);
// The user's own list for a dictionary, in the user's data folder.
std::string UserPathFor(std::string_view dictionaryPath);
// Where earlier versions kept it: beside the dictionary.
std::string OldPathFor(std::string_view dictionaryPath);

enum class TReadResult { Missing, Read, Unreadable };

// Reads the words of a list as code page 1252 lines. Unreadable: larger than MaxSize,
// half a UTF-16 character, or a character code page 1252 has no byte for; words then holds
// nothing. format is how the list is to be written back (code page 1252 with CR LF for a
// list in plain ASCII, as earlier versions wrote it). Raises EFOpenError when the file
// exists but cannot be opened.
TReadResult Read(const std::string &path, TStringList &words, TextEncoding::TTextFormat &format);

// Holds PATH.lock locked for as long as it lives; the lock file is created for the user
// alone. Without a lock file (a folder that cannot be written) nothing is locked.
class TLock
{
public:
    explicit TLock(const std::string &path);
    ~TLock();
    TLock(const TLock &) = delete;
    TLock &operator=(const TLock &) = delete;

private:
    int FHandle = -1;
};

// Renames an unreadable list to PATH.bad (PATH.bad2, ... when taken) and gives the name.
// Raises EFCreateError when it cannot be renamed.
std::string SetAside(const std::string &path);

// What the user is told when the list at path was set aside as keptAs.
std::string SetAsideMessage(const std::string &path, const std::string &keptAs);

// Under the lock: reads the list at path, adds words to it and writes it back in its
// format; a new list is made for the user alone. A list that cannot be read is set aside
// first and its name put in setAside (else it is cleared). Afterwards words holds the
// whole list. Raises EFOpenError or EFCreateError; the list on disk is then unchanged.
void Merge(const std::string &path, TStringList &words, std::string &setAside);

// An earlier version's list to take into the user's own one: oldPath when it exists, is
// another file than userPath, and was not taken in before.
bool OldFileWaiting(const std::string &oldPath, const std::string &userPath);
// Takes the words of oldPath into userPath once; it is then remembered in userPath.merged.
// An unreadable old list is left alone and remembered too. Gives the name under which an
// unreadable user list was set aside, else "". Raises as Merge does.
std::string TakeInOldFile(const std::string &oldPath, const std::string &userPath);

} // namespace LearnedWordFile
