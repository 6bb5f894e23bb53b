#include "spell/core/WordScan.h"

#include <array>

namespace WordScan {
namespace {

constexpr std::array<uint64_t, 4> BuildWordSet()
{
    std::array<uint64_t, 4> set {};
    auto add = [&set](int ch) { set[ch >> 6] |= uint64_t(1) << (ch & 63); };
    add('\'');
    for (int ch = '0'; ch <= '9'; ++ch)
        add(ch);
    for (int ch = 'A'; ch <= 'Z'; ++ch)
        add(ch);
    for (int ch = 'a'; ch <= 'z'; ++ch)
        add(ch);
    for (int ch = 128; ch <= 165; ++ch)
        add(ch);
    return set;
}
constexpr std::array<uint64_t, 4> WordSet = BuildWordSet();

} // namespace

bool IsWordChar(unsigned char ch)
{
    return (WordSet[ch >> 6] >> (ch & 63)) & 1;
}

unsigned char LowerChar(unsigned char ch)
{
    if (ch >= 'A' && ch <= 'Z')
        return static_cast<unsigned char>(ch + ('a' - 'A'));
    switch (ch) {
    case 0x80:
        return 0x87; // C cedilla
    case 0x8E:
        return 0x84; // A diaeresis
    case 0x8F:
        return 0x86; // A ring
    case 0x90:
        return 0x82; // E acute
    case 0x92:
        return 0x91; // AE
    case 0x99:
        return 0x94; // O diaeresis
    case 0x9A:
        return 0x81; // U diaeresis
    case 0xA5:
        return 0xA4; // N tilde
    default:
        return ch;
    }
}

std::string LowerCase(std::string_view word)
{
    std::string out(word);
    for (char &c : out)
        c = static_cast<char>(LowerChar(static_cast<unsigned char>(c)));
    return out;
}

Result Next(const char *text, int32_t textLen, Cursor &cursor, Options options)
{
    auto at = [text](int32_t pos) { return static_cast<unsigned char>(text[pos - 1]); };
    int32_t pos = cursor.Pos;
    cursor.WordStart = pos;
    cursor.WordEnd = pos;
    cursor.AllDigits = true;

    bool inTag = false;
    while (pos < textLen && (inTag || !IsWordChar(at(pos)))) {
        const unsigned char ch = at(pos);
        if (options.SupportRTF2 && ch == '\r')
            ++cursor.CRCount;
        if (options.SupportHTML) {
            if (inTag && ch == '>')
                inTag = false;
            else if (ch == '<')
                inTag = true;
        }
        ++pos;
    }
    if (pos >= textLen) {
        cursor.Pos = pos;
        return Result::End;
    }

    cursor.WordStart = pos;
    while (pos < textLen && IsWordChar(at(pos))) {
        if (cursor.AllDigits && !IsDigit(at(pos)))
            cursor.AllDigits = false;
        ++pos;
        cursor.WordEnd = pos;
        if (cursor.WordEnd - cursor.WordStart == MaxRun) {
            cursor.Pos = pos;
            return Result::TooLong;
        }
    }
    cursor.Pos = pos;
    return Result::Word;
}

} // namespace WordScan
