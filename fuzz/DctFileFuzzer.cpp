// Opening and searching a .DCT file of arbitrary bytes: lookup, completion, two-word splits
// and suggestions must end, stay inside the file and never fail other than by the
// documented exceptions.
//
// Input: one flag byte (bit 0: put a valid header in front of the rest, so that most inputs
// reach the node array), one length byte and that many bytes of word, then the file.

#include "dictionary/TDCTFile.h"
#include "dictionary/TDictionary.h"
#include "fuzz/FuzzSupport.h"
#include "platform/core/Exceptions.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const bool withHeader = data[0] & 1;
    const size_t wordLength = std::min<size_t>(data[1], size - 2);
    const AnsiText word(std::string(reinterpret_cast<const char *>(data) + 2, wordLength));
    const std::string body(reinterpret_cast<const char *>(data) + 2 + wordLength,
                           size - 2 - wordLength);
    const std::string path
        = Fuzz::WriteFile("FUZZ.DCT", withHeader ? Fuzz::DctHeader() + body : body);

    TDictionary dictionary;
    try {
        if (!dictionary.OpenDictionary(path))
            std::abort(); // the file exists, so this must open or raise
    } catch (const TEDictionaryCorrupt &) {
        return 0;
    } catch (const EInOutError &) {
        return 0;
    }
    const uint16_t count = uint16_t(1 + ((data[0] >> 1) & 15));
    dictionary.IsWord(word);
    for (const auto &list :
         { dictionary.Suggest(word, count), dictionary.WordsStartingWith(word, count),
           dictionary.TwoWordSplits(word, count) }) {
        if (list->Count() > count)
            std::abort();
        for (const std::string &entry : *list)
            if (entry.size() > Dct::WordMax)
                std::abort();
    }
    return 0;
}
