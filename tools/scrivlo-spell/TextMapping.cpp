#include "tools/scrivlo-spell/TextMapping.h"

#include "platform/core/CodePages.h"
#include "spell/core/WordScan.h"

#include <memory>

namespace TextMapping {

namespace {

std::unique_ptr<Tables> BuildTables()
{
    auto t = std::make_unique<Tables>();
    for (size_t u = 0; u < t->wordLetter.size(); ++u) {
        const auto unit = char16_t(u);
        const unsigned char ansi = CodePages::Utf16UnitToAnsi(unit);
        // A surrogate is half of a character outside code page 1252: never a letter.
        const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
        t->wordLetter[u] = (!surrogate && WordScan::IsWordChar(ansi)) ? ansi : 0;
    }
    std::string allBytes(256, '\0');
    for (int b = 0; b < 256; ++b)
        allBytes[b] = char(b);
    const std::u16string units = CodePages::DecodeAnsi(allBytes);
    for (int b = 0; b < 256; ++b)
        t->ansiUnit[b] = units.size() == 256 ? units[b] : CodePages::AnsiToUnicode(b);
    return t;
}

size_t Utf8SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1; // not a lead byte: invalid anyway, the decoder will say so
}

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

} // namespace

const Tables &GetTables()
{
    static const std::unique_ptr<Tables> tables = BuildTables();
    return *tables;
}

size_t CompleteUtf8Prefix(std::string_view bytes)
{
    const size_t n = bytes.size();
    for (size_t back = 1; back <= 4 && back <= n; ++back) {
        const auto ch = static_cast<unsigned char>(bytes[n - back]);
        if ((ch & 0xC0) == 0x80)
            continue; // a continuation byte: look further back for its lead
        return Utf8SequenceLength(ch) > back ? n - back : n;
    }
    return n;
}

bool DecodePiece(std::string_view bytes, bool utf8, bool atStart, std::u16string &out)
{
    if (!utf8) {
        const Tables &t = GetTables();
        out.resize(bytes.size());
        for (size_t i = 0; i < bytes.size(); ++i)
            out[i] = t.ansiUnit[static_cast<unsigned char>(bytes[i])];
        return true;
    }
    // The decoder drops a leading byte-order mark; inside a text it is a character.
    if (!atStart && bytes.starts_with(Utf8Bom)) {
        if (!CodePages::DecodeUtf8(bytes.substr(Utf8Bom.size()), out))
            return false;
        out.insert(out.begin(), u'\uFEFF');
        return true;
    }
    return CodePages::DecodeUtf8(bytes, out);
}

void DecodeText(std::string_view bytes, bool atStart, std::u16string &out)
{
    if (!DecodePiece(bytes, true, atStart, out))
        DecodePiece(bytes, false, atStart, out);
}

AnsiText ArgumentToAnsi(std::string_view bytes)
{
    std::u16string units;
    DecodeText(bytes, true, units);
    return CodePages::Utf16ToAnsi(units);
}

void AppendUtf8(std::string &out, std::u16string_view units)
{
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t cp = units[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units.size() && IsLowSurrogate(units[i + 1]))
            cp = 0x10000 + ((cp - 0xD800) << 10) + (units[++i] - 0xDC00);
        else if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = 0xFFFD;
        if (cp < 0x80) {
            out.push_back(char(cp));
        } else if (cp < 0x800) {
            out.push_back(char(0xC0 | (cp >> 6)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(char(0xE0 | (cp >> 12)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (cp >> 18)));
            out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        }
    }
}

} // namespace TextMapping
