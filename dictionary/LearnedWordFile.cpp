#include "dictionary/LearnedWordFile.h"

#include "dictionary/SpellingLanguage.h"
#include "platform/core/CodePages.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"
#include "platform/core/UserDataFolder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace LearnedWordFile {

namespace {

using TextEncoding::TEncoding;
using TextEncoding::TTextFormat;

// The lock file is the user's alone, like the list.
constexpr unsigned LockFileMode = 0600;

// The list's file format before any list was read: that of earlier versions.
TTextFormat NewListFormat()
{
    return { TEncoding::Ansi, TextEncoding::TLineBreak::CrLf };
}

bool PlainAscii(std::string_view bytes)
{
    return std::none_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
}

std::string MarkerOf(const std::string &userPath)
{
    return userPath + ".merged";
}

bool SameFile(const std::string &a, const std::string &b)
{
    struct stat sa, sb;
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev
        && sa.st_ino == sb.st_ino;
}

} // namespace

std::string NameFor(std::string_view dictionaryPath)
{
    return LanguageOfDictionary(dictionaryPath) == SpellingLanguage::Spanish ? "USERDCT-ES.TXT"
                                                                             : "USERDCT.TXT";
}

std::string UserPathFor(std::string_view dictionaryPath)
{
    return UserDataFolder::Path() + NameFor(dictionaryPath);
}

std::string OldPathFor(std::string_view dictionaryPath)
{
    return FileUtils::ExtractFilePath(dictionaryPath) + NameFor(dictionaryPath);
}

TReadResult Read(const std::string &path, TStringList &words, TTextFormat &format)
{
    words.Clear();
    format = NewListFormat();
    const int64_t size = FileUtils::FileSize(path);
    if (size < 0)
        return TReadResult::Missing;
    if (size > MaxSize)
        return TReadResult::Unreadable;
    const std::string bytes = FileUtils::ReadWholeFile(path);
    if (int64_t(bytes.size()) > MaxSize) // grown while it was read
        return TReadResult::Unreadable;
    std::u16string text;
    format = TextEncoding::DecodeText(bytes, text);
    std::string ansi;
    if (!TextEncoding::EncodeAnsi(text, ansi)) {
        format = NewListFormat();
        return TReadResult::Unreadable;
    }
    // A list in plain ASCII is written back as earlier versions wrote it, so that they can
    // still read the accented words learned now.
    if (format.Encoding == TEncoding::Utf8 && PlainAscii(bytes))
        format.Encoding = TEncoding::Ansi;
    words.SetText(ansi);
    return TReadResult::Read;
}

TLock::TLock(const std::string &path)
{
    FHandle
        = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, LockFileMode);
    if (FHandle < 0)
        return;
    while (::flock(FHandle, LOCK_EX) != 0 && errno == EINTR) { }
}

TLock::~TLock()
{
    // Closing the file releases the lock. The lock file stays: removing it would let a
    // program that opened it a moment before lock a file no longer in the folder.
    if (FHandle >= 0)
        ::close(FHandle);
}

std::string SetAside(const std::string &path)
{
    for (int n = 1; n < 1000; ++n) {
        const std::string kept = path + ".bad" + (n > 1 ? std::to_string(n) : "");
        if (::access(kept.c_str(), F_OK) == 0)
            continue;
        if (std::rename(path.c_str(), kept.c_str()) == 0)
            return kept;
        break;
    }
    throw EFCreateError("Cannot create file " + path + ".bad");
}

std::string SetAsideMessage(const std::string &path, const std::string &keptAs)
{
    return "The learned words in " + path + " could not be read. The file is kept as " + keptAs
        + ", and a new list is started.";
}

void Merge(const std::string &path, TStringList &words, std::string &setAside)
{
    setAside.clear();
    TLock lock(path);
    TStringList onDisk(true);
    TTextFormat format;
    if (Read(path, onDisk, format) == TReadResult::Unreadable)
        setAside = SetAside(path);
    words.AddStrings(onDisk);
    const std::u16string text = CodePages::DecodeAnsi(words.Text());
    std::string bytes = TextEncoding::EncodeText(text, format);
    // Code page 1252 bytes that happen to form UTF-8 would be read back as other letters:
    // such a list is written in UTF-8.
    std::u16string back;
    if (format.Encoding == TEncoding::Ansi && !PlainAscii(bytes)
        && TextEncoding::DecodeText(bytes, back).Encoding != TEncoding::Ansi)
        bytes = TextEncoding::EncodeText(text, { TEncoding::Utf8, format.LineBreak });
    FileUtils::WriteFileSafely(path, bytes, FileUtils::TNewFileAccess::OwnerOnly);
}

bool OldFileWaiting(const std::string &oldPath, const std::string &userPath)
{
    if (!FileUtils::FileExists(oldPath) || SameFile(oldPath, userPath))
        return false;
    TStringList taken;
    if (FileUtils::FileExists(MarkerOf(userPath)))
        taken.LoadFromFile(MarkerOf(userPath));
    return taken.IndexOf(oldPath) < 0;
}

std::string TakeInOldFile(const std::string &oldPath, const std::string &userPath)
{
    TStringList words(true);
    TTextFormat format;
    std::string setAside;
    if (Read(oldPath, words, format) == TReadResult::Read)
        Merge(userPath, words, setAside);
    TLock lock(userPath);
    TStringList taken;
    const std::string marker = MarkerOf(userPath);
    if (FileUtils::FileExists(marker))
        taken.LoadFromFile(marker);
    if (taken.IndexOf(oldPath) < 0)
        taken.Add(oldPath);
    FileUtils::WriteFileSafely(marker, taken.Text(), FileUtils::TNewFileAccess::OwnerOnly);
    return setAside;
}

} // namespace LearnedWordFile
