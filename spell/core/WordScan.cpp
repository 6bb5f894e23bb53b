#include "spell/core/WordScan.h"

#include "platform/core/CodePages.h"

#include <array>

namespace WordScan {
namespace {

std::array<uint64_t, 4> BuildWordSet()
{
    std::array<uint64_t, 4> set {};
    auto isOemWordChar = [](unsigned char ch) {
        return ch == '\'' || (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z')
            || (ch >= 'a' && ch <= 'z') || (ch >= 128 && ch <= 165);
    };
    for (int ch = 0; ch < 256; ++ch) {
        if (isOemWordChar(CodePages::AnsiToOemChar(static_cast<unsigned char>(ch))))
            set[ch >> 6] |= uint64_t(1) << (ch & 63);
    }
    return set;
}
const std::array<uint64_t, 4> WordSet = BuildWordSet();

} // namespace

bool IsWordChar(unsigned char ch)
{
    return (WordSet[ch >> 6] >> (ch & 63)) & 1;
}

unsigned char LowerChar(unsigned char ch)
{
    return CodePages::AnsiLowerChar(ch);
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
