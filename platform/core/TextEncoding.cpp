#include "platform/core/TextEncoding.h"

#include "platform/core/CodePages.h"

namespace TextEncoding {

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LEBom = "\xFF\xFE";
constexpr std::string_view Utf16BEBom = "\xFE\xFF";

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian)
{
    std::u16string text;
    text.reserve(bytes.size() / 2 + 1);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text += bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
    }
    if (bytes.size() % 2 != 0)
        text += u'\uFFFD'; // half a code unit at the end
    return text;
}

// UTF-8 with each stray byte read as code page 1252; Ansi when the bytes hold no
// well-formed sequence beyond ASCII but some stray byte.
TEncoding DecodeUtf8OrAnsi(std::string_view bytes, std::u16string &text)
{
    text.reserve(bytes.size());
    size_t sequences = 0, stray = 0;
    for (size_t i = 0; i < bytes.size();) {
        char32_t cp;
        const size_t length = CodePages::Utf8SequenceAt(bytes, i, cp);
        if (length == 0) {
            text += CodePages::AnsiToUnicode(static_cast<unsigned char>(bytes[i]));
            ++stray;
            ++i;
            continue;
        }
        CodePages::AppendUtf16(text, cp);
        sequences += length > 1;
        i += length;
    }
    return stray > 0 && sequences == 0 ? TEncoding::Ansi : TEncoding::Utf8;
}

TLineBreak MostCommonLineBreak(std::u16string_view text)
{
    size_t lf = 0, crlf = 0, cr = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') {
            ++lf;
        } else if (text[i] == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n') {
                ++crlf;
                ++i;
            } else {
                ++cr;
            }
        }
    }
    if (crlf > 0 && crlf >= lf && crlf >= cr)
        return TLineBreak::CrLf;
    return cr > lf ? TLineBreak::Cr : TLineBreak::Lf;
}

// text with every CR LF, CR or LF replaced by lineBreak.
std::u16string WithLineBreaks(std::u16string_view text, TLineBreak lineBreak)
{
    const std::u16string_view end = lineBreak == TLineBreak::CrLf ? u"\r\n"
        : lineBreak == TLineBreak::Cr                             ? u"\r"
                                                                  : u"\n";
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') {
            out += text[i];
            continue;
        }
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        out += end;
    }
    return out;
}

std::string EncodeUtf16(std::u16string_view text, bool bigEndian)
{
    std::string out(bigEndian ? Utf16BEBom : Utf16LEBom);
    out.reserve(2 + text.size() * 2);
    for (const char16_t unit : text) {
        const char high = char(unit >> 8), low = char(unit & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    }
    return out;
}

} // namespace

TTextFormat DecodeText(std::string_view bytes, std::u16string &text)
{
    text.clear();
    TTextFormat format;
    if (bytes.starts_with(Utf16LEBom) || bytes.starts_with(Utf16BEBom)) {
        const bool bigEndian = bytes.starts_with(Utf16BEBom);
        text = DecodeUtf16(bytes.substr(2), bigEndian);
        format.Encoding = bigEndian ? TEncoding::Utf16BE : TEncoding::Utf16LE;
    } else if (bytes.starts_with(Utf8Bom)) {
        DecodeUtf8OrAnsi(bytes.substr(Utf8Bom.size()), text);
        format.Encoding = TEncoding::Utf8Bom;
    } else {
        format.Encoding = DecodeUtf8OrAnsi(bytes, text);
    }
    format.LineBreak = MostCommonLineBreak(text);
    return format;
}

std::string EncodeText(std::u16string_view text, TTextFormat format)
{
    const std::u16string lines = WithLineBreaks(text, format.LineBreak);
    std::string out;
    switch (format.Encoding) {
    case TEncoding::Utf16LE:
    case TEncoding::Utf16BE:
        return EncodeUtf16(lines, format.Encoding == TEncoding::Utf16BE);
    case TEncoding::Ansi:
        if (EncodeAnsi(lines, out))
            return out;
        return CodePages::EncodeUtf8(lines);
    case TEncoding::Utf8Bom:
        return std::string(Utf8Bom) + CodePages::EncodeUtf8(lines);
    case TEncoding::Utf8:
        break;
    }
    return CodePages::EncodeUtf8(lines);
}

bool EncodeAnsi(std::u16string_view text, std::string &out)
{
    out.clear();
    out.reserve(text.size());
    for (const char16_t unit : text) {
        const int b = unit >= 0xD800 && unit <= 0xDFFF ? -1 : CodePages::UnicodeToAnsi(unit);
        if (b < 0)
            return false;
        out += char(b);
    }
    return true;
}

} // namespace TextEncoding
