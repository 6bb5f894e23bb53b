// The checker's text scanning on arbitrary bytes: the check command reading a file (UTF-8
// detection, pieces, line and column counting, the word scanner) and the pipe protocol
// reading the same bytes as lines. Their output goes to /dev/null.

#include "dictionary/TDictionary.h"
#include "fuzz/FuzzSupport.h"
#include "tools/scrivlo-spell/CheckCommand.h"
#include "tools/scrivlo-spell/PipeProtocol.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

TDictionary &Dictionary()
{
    static TDictionary *dictionary = [] {
        // Words: an, at, i.
        std::string bytes = Fuzz::DctHeader();
        for (const uint32_t node :
             { Dct::MakeNode('a', 3, false, false), Dct::MakeNode('i', 0, true, true),
               Dct::MakeNode('n', 0, true, false), Dct::MakeNode('t', 0, true, true) })
            for (int shift = 0; shift < 32; shift += 8)
                bytes.push_back(char((node >> shift) & 0xFF));
        auto *d = new TDictionary;
        if (!d->OpenDictionary(Fuzz::WriteFile("ENGLISH.DCT", bytes)))
            std::abort();
        if (!std::freopen("/dev/null", "w", stdout))
            std::abort();
        return d;
    }();
    return *dictionary;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TDictionary &dictionary = Dictionary();
    const std::string text(reinterpret_cast<const char *>(data), size);
    const int status = RunCheck(dictionary, { Fuzz::WriteFile("text.txt", text) });
    if (status < 0 || status > 2)
        std::abort();
    std::FILE *in = fmemopen(const_cast<char *>(text.data()), text.size(), "r");
    if (in) {
        RunPipe(dictionary, 5, in);
        std::fclose(in);
    }
    return 0;
}
