#pragma once
// Text in one of the program's two single-byte code pages, each page its own type, so
// that code page 437 text handed where code page 1252 text is expected does not compile.
// The conversions of CodePages.h are the only way from one to the other.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

template<typename Page> class CodePageText
{
public:
    CodePageText() = default;
    explicit CodePageText(std::string bytes)
        : FBytes(std::move(bytes))
    { }
    explicit CodePageText(std::string_view bytes)
        : FBytes(bytes)
    { }
    explicit CodePageText(const char *bytes)
        : FBytes(bytes)
    { }

    std::string_view view() const { return FBytes; }
    const std::string &str() const { return FBytes; }
    bool empty() const { return FBytes.empty(); }
    size_t size() const { return FBytes.size(); }

    friend bool operator==(const CodePageText &, const CodePageText &) = default;

private:
    std::string FBytes;
};

struct OemPage; // code page 437: the letters of the dictionary files
struct AnsiPage; // code page 1252: the editor's text, the word lists and every shown word

using OemText = CodePageText<OemPage>;
using AnsiText = CodePageText<AnsiPage>;
