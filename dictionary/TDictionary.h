#pragma once
// The word authority of the spell checker: the open dictionary files, the user's own word
// list and an optional exclusion list. Answers whether a word is spelt right, learns
// words, and builds suggestion, completion and two-word-split lists that carry the
// capitalisation of the word the user typed.
//
// Code pages: every word goes in and comes out in code page 1252, as the user sees it;
// the user word list and the exclusion list hold the 1252 text of their files. Code page
// 437, the letters of the dictionary files, stays inside: a word is lower-cased while it
// is still in 1252, where every accented capital has its small letter, and converted once
// (LookupKey). Capitals are matched in 1252 as well, so none loses its accent.

#include "dictionary/TLinkedList.h"
#include "platform/core/CodePageText.h"
#include "platform/core/TStringList.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class TDCTFile;
class TSuggestList;

class TDictionary
{
public:
    TDictionary();
    TDictionary(const TDictionary &) = delete;
    TDictionary &operator=(const TDictionary &) = delete;
    // Closes the files, saving learned words first. A failure is reported through
    // ErrorReporter, never thrown.
    ~TDictionary();

    // Where failures that cannot be thrown (in the destructor) are reported. The default
    // writes to standard error; the editor shows them in a dialog.
    static std::function<void(const std::string &)> ErrorReporter;
    // Tells the user that the learned-word list at listPath could not be read and was set
    // aside as keptAs. The default passes LearnedWordFile::SetAsideMessage to ErrorReporter;
    // the editor words it in the user's language.
    static std::function<void(const std::string &listPath, const std::string &keptAs)>
        SetAsideReporter;

    // Opens a .DCT file and appends it to Files. False when no such file exists; a wrong
    // header raises TEDictionaryCorrupt, a read failure EInOutError.
    bool OpenDictionary(const std::string &fileName);
    // Whether a file of the same name (folder ignored, any letter case) is open.
    bool IsOpen(const std::string &fileName) const;
    // Loads the user word list; a name without a folder is taken beside the first
    // dictionary. False when the file does not exist yet (a later save creates it), and
    // when it cannot be read whole (text that is not code page 1252, UTF-8 or UTF-16, or
    // too large): it is then set aside as NAME.bad, reported through ErrorReporter, and a
    // new list is started; with UserFileReadOnly it is only reported.
    bool OpenUserDictionary(const std::string &fileName);
    // Loads the exclusion list, tried as given and then beside the first dictionary.
    bool OpenExclusionList(const std::string &fileName);
    // Loads a class word list (the children's names, a topic's words), one word a line in
    // code page 1252, UTF-8 or UTF-16; its words are known words beside the user's own.
    // It is read only: never learned into, never written. False when there is none or it
    // cannot be read (its words are then dropped).
    bool OpenClassWords(const std::string &fileName);
    // The class word list's name, beside the dictionaries.
    static constexpr const char *ClassWordsName = "CLASSWORDS.TXT";
    // Saves learned words if there are any, then closes every dictionary file.
    void CloseDictionaries();
    // Writes the user word list, first taking in every word the file holds now, under a
    // lock that other programs saving the same list wait for (LearnedWordFile::Merge).
    // Raises EFOpenError or EFCreateError and keeps the words marked unsaved on failure.
    void SaveUserWords();
    // Size of the user word file in bytes, 0 when it does not exist.
    int64_t UserFileSize() const;

    // The spelling test of one word: not excluded, and in the user list or a dictionary.
    bool IsWord(const AnsiText &word) const;
    // Learns a word into the user list (lower-cased); false when it is already a word.
    bool AddWord(const AnsiText &word);
    // Two-word splits first, then similarity-ranked candidates; at most maxCount entries.
    std::unique_ptr<TStringList> Suggest(const AnsiText &word, uint16_t maxCount) const;
    // Words of the first dictionary that extend prefix (the prefix itself excluded).
    std::unique_ptr<TStringList> WordsStartingWith(const AnsiText &prefix, uint16_t maxCount) const;
    // Ways of cutting word into two known words, as "left right" in lower case, in order
    // of the cut.
    std::unique_ptr<TStringList> TwoWordSplits(const AnsiText &word, uint16_t maxCount) const;

    // The letters the dictionary files hold for a word: cut to 50, lower case, code page 437.
    static OemText LookupKey(const AnsiText &word);
    // Word with the capitalisation of pattern: all capitals when pattern's second letter
    // (its only letter when it has one; characters without case are passed over) is a
    // capital; otherwise lower case with a capital first letter when pattern starts with
    // one.
    static AnsiText MatchCase(const AnsiText &word, const AnsiText &pattern);
    // Converts every entry from code page 437 to 1252 and gives it pattern's capitalisation.
    static void FinishWordList(TStringList &list, const AnsiText &pattern);

    bool Active = false;
    TLinkedList Files; // of TDCTFile, in opening order
    std::string UserFileName;
    TStringList UserWords { true };
    TStringList ClassWords { true }; // lower case
    std::unique_ptr<TStringList> ExclusionWords;
    int64_t UserFileSizeAtLoad = 0;
    bool UserWordsModified = false;
    // For programs that never write the user word list: an unreadable one stays in place.
    bool UserFileReadOnly = false;

private:
    static void Report(const std::string &message);
    TDCTFile *FirstFile() const;
    // IsWord of a word already cut to 50 and lower-cased.
    bool IsLowerWord(std::string_view lowerAnsiWord) const;
    void AddUserWordCandidates(TSuggestList &list, const std::string &key) const;
};
