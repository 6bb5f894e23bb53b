#include "platform/core/CodePages.h"

#include "platform/core/CodePageTables.h"

#include <algorithm>

namespace {

constexpr size_t WordMax = 50; // longest word the dictionary holds

// Byte of a code point in a code page: ASCII is itself, the rest is looked up in the
// page's reverse table (128 entries sorted by code point, so a binary search).
int FromUnicode(const std::array<CodePageTables::ReverseEntry, 128> &table, char32_t cp)
{
    if (cp < 0x80)
        return static_cast<int>(cp);
    if (cp > 0xFFFF)
        return -1;
    const auto it = std::lower_bound(
        table.begin(), table.end(), cp,
        [](const CodePageTables::ReverseEntry &e, char32_t v) { return e.codePoint < v; });
    return (it != table.end() && it->codePoint == cp) ? it->byte : -1;
}

bool IsSurrogate(char32_t cp)
{
    return cp >= 0xD800 && cp <= 0xDFFF;
}

void AppendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

std::string ToUtf8(std::string_view bytes, const std::array<char16_t, 256> &table)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        AppendUtf8(out, table[static_cast<unsigned char>(c)]);
    return out;
}

std::string ConvertWord(std::string_view word, const std::array<unsigned char, 256> &table)
{
    std::string w(word.substr(0, WordMax));
    for (char &c : w)
        c = char(table[static_cast<unsigned char>(c)]);
    w.resize(std::min(w.size(), WordMax));
    return w;
}

// Lower case of a code page 1252 byte: A-Z, the accented capitals 0xC0..0xDE (not the
// multiplication sign), and the capitals of the 0x80 row.
constexpr std::array<unsigned char, 256> MakeAnsiLower()
{
    std::array<unsigned char, 256> t {};
    for (int b = 0; b < 256; ++b) {
        if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
            t[b] = b + 32;
        else if (b == 0x8A || b == 0x8C || b == 0x8E)
            t[b] = b + 16;
        else if (b == 0x9F)
            t[b] = 0xFF;
        else
            t[b] = b;
    }
    return t;
}
constexpr std::array<unsigned char, 256> AnsiLower = MakeAnsiLower();

std::string Mapped(std::string_view text, unsigned char (*map)(unsigned char))
{
    std::string out(text);
    for (char &c : out)
        c = char(map(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

namespace CodePages {

char16_t OemToUnicode(unsigned char ch)
{
    return CodePageTables::OemToUnicode[ch];
}
char16_t AnsiToUnicode(unsigned char ch)
{
    return CodePageTables::AnsiToUnicode[ch];
}

int UnicodeToOem(char32_t cp)
{
    return FromUnicode(CodePageTables::OemFromUnicode, cp);
}
int UnicodeToAnsi(char32_t cp)
{
    return FromUnicode(CodePageTables::AnsiFromUnicode, cp);
}

unsigned char AnsiToOemChar(unsigned char ch)
{
    return CodePageTables::AnsiToOem[ch];
}
unsigned char OemToAnsiChar(unsigned char ch)
{
    return CodePageTables::OemToAnsi[ch];
}

unsigned char AnsiLowerChar(unsigned char ch)
{
    return AnsiLower[ch];
}
unsigned char AnsiUpperChar(unsigned char ch)
{
    return CodePageTables::AnsiUpper[ch];
}

AnsiText LowerCase(const AnsiText &text)
{
    return AnsiText(Mapped(text.view(), AnsiLowerChar));
}
AnsiText UpperCase(const AnsiText &text)
{
    return AnsiText(Mapped(text.view(), AnsiUpperChar));
}

void LowerAnsiBytes(std::string_view in, char *out)
{
    for (char c : in)
        *out++ = char(AnsiLower[static_cast<unsigned char>(c)]);
}

void AnsiToOemBytes(std::string_view in, char *out)
{
    for (char c : in)
        *out++ = char(CodePageTables::AnsiToOem[static_cast<unsigned char>(c)]);
}

void AnsiToOemBuff(std::string &text)
{
    for (char &c : text)
        c = char(CodePageTables::AnsiToOem[static_cast<unsigned char>(c)]);
}

void OemToAnsiBuff(std::string &text)
{
    for (char &c : text)
        c = char(CodePageTables::OemToAnsi[static_cast<unsigned char>(c)]);
}

unsigned char Utf16UnitToAnsi(char16_t unit)
{
    const int b = IsSurrogate(unit) ? -1 : UnicodeToAnsi(unit);
    return b < 0 ? '?' : static_cast<unsigned char>(b);
}

AnsiText Utf16ToAnsi(std::u16string_view units)
{
    std::string ansi(units.size(), '\0');
    for (size_t i = 0; i < units.size(); ++i)
        ansi[i] = char(Utf16UnitToAnsi(units[i]));
    return AnsiText(std::move(ansi));
}

size_t Utf8SequenceAt(std::string_view bytes, size_t i, char32_t &cp)
{
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    if (lead < 0xC2 || lead > 0xF4)
        return 0; // continuation byte, C0/C1 overlong lead or beyond U+10FFFF
    // Length and smallest code point of the sequence, which rules out overlong forms.
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    const char32_t minimum = length == 4 ? 0x10000 : length == 3 ? 0x800 : 0x80;
    if (bytes.size() - i < length)
        return 0;
    char32_t value = lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || IsSurrogate(value))
        return 0;
    cp = value;
    return length;
}

void AppendUtf16(std::u16string &out, char32_t cp)
{
    if (cp < 0x10000) {
        out += char16_t(cp);
    } else {
        cp -= 0x10000;
        out += char16_t(0xD800 | (cp >> 10));
        out += char16_t(0xDC00 | (cp & 0x3FF));
    }
}

bool DecodeUtf8(std::string_view bytes, std::u16string &out)
{
    out.clear();
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        char32_t cp;
        const size_t length = Utf8SequenceAt(bytes, i, cp);
        if (length == 0) {
            out.clear();
            return false;
        }
        AppendUtf16(out, cp);
        i += length;
    }
    return true;
}

std::u16string DecodeAnsi(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        out += CodePageTables::AnsiToUnicode[static_cast<unsigned char>(c)];
    return out;
}

std::string EncodeUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00
            && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (IsSurrogate(cp)) {
            cp = 0xFFFD;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::string AnsiToUtf8(std::string_view ansi)
{
    return ToUtf8(ansi, CodePageTables::AnsiToUnicode);
}
std::string OemToUtf8(std::string_view oem)
{
    return ToUtf8(oem, CodePageTables::OemToUnicode);
}

} // namespace CodePages

AnsiText OemToAnsiWord(const OemText &word)
{
    return AnsiText(ConvertWord(word.view(), CodePageTables::OemToAnsi));
}

OemText AnsiToOemWord(const AnsiText &word)
{
    return OemText(ConvertWord(word.view(), CodePageTables::AnsiToOem));
}
