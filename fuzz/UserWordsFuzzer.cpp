// Loading a user word list and an exclusion list of arbitrary bytes, then using them:
// lookups, learning a word, suggestions (which also rank the user's words) and saving.
//
// Input: one length byte and that many bytes of word, then the list file.

#include "dictionary/LearnedWordFile.h"
#include "dictionary/TDictionary.h"
#include "fuzz/FuzzSupport.h"
#include "platform/core/FileUtils.h"
#include "platform/core/TStringList.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A small dictionary: an, at, cat, i.
const std::string &DictionaryPath()
{
    static const std::string path = [] {
        std::string bytes = Fuzz::DctHeader();
        auto node = [&bytes](char ch, uint32_t child, bool end, bool last) {
            const uint32_t v = Dct::MakeNode(static_cast<unsigned char>(ch), child, end, last);
            for (int shift = 0; shift < 32; shift += 8)
                bytes.push_back(char((v >> shift) & 0xFF));
        };
        node('a', 4, false, false); // 1
        node('c', 6, false, false); // 2
        node('i', 0, true, true); // 3
        node('n', 0, true, false); // 4
        node('t', 0, true, true); // 5
        node('a', 8, false, true); // 6: c-a
        node('x', 0, false, true); // 7: never reached
        node('t', 0, true, true); // 8: c-a-t
        return Fuzz::WriteFile("ENGLISH.DCT", bytes);
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t wordLength = std::min<size_t>(data[0], size - 1);
    const std::string word(reinterpret_cast<const char *>(data) + 1, wordLength);
    const std::string text(reinterpret_cast<const char *>(data) + 1 + wordLength,
                           size - 1 - wordLength);

    // One dictionary for every input: each input's lists replace the ones before.
    static TDictionary &dictionary = *[] {
        auto *d = new TDictionary;
        if (!d->OpenDictionary(DictionaryPath()))
            std::abort();
        return d;
    }();
    static const bool quiet = (
        TDictionary::ErrorReporter = [](const std::string &) {}, true);
    (void)quiet;
    const std::string userPath = Fuzz::WriteFile("USERDCT.TXT", text);
    // A list that cannot be read whole is set aside as it was, never overwritten.
    if (!dictionary.OpenUserDictionary(userPath)) {
        TStringList none;
        TextEncoding::TTextFormat format;
        if (FileUtils::ReadWholeFile(userPath + ".bad") != text
            || LearnedWordFile::Read(userPath + ".bad", none, format)
                != LearnedWordFile::TReadResult::Unreadable)
            std::abort();
        std::remove((userPath + ".bad").c_str());
    }
    if (!dictionary.OpenExclusionList(Fuzz::WriteFile("EXCLUDE.TXT", text)))
        std::abort();
    const AnsiText asked(word);
    dictionary.IsWord(asked);
    dictionary.Suggest(asked, 10);
    dictionary.WordsStartingWith(asked, 10);
    // Words to learn come from the text scanner, which never gives line breaks or NULs.
    if (word.find_first_of(std::string("\r\n\0", 3)) == std::string::npos)
        dictionary.AddWord(asked);
    // Saving writes the list back; loading it again must give the same list.
    dictionary.SaveUserWords();
    TStringList reloaded(true);
    TextEncoding::TTextFormat format;
    if (LearnedWordFile::Read(userPath, reloaded, format) != LearnedWordFile::TReadResult::Read
        || reloaded.Count() != dictionary.UserWords.Count())
        std::abort();
    dictionary.UserWordsModified = false;
    return 0;
}
