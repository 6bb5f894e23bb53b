#include "spell/core/SentenceScan.h"

#include "platform/core/CodePages.h"
#include "spell/core/WordScan.h"

#include <algorithm>
#include <array>

namespace SentenceScan {
namespace {

bool IsClosing(unsigned char ch)
{
    // Quotes and brackets, the typographic closing quotes of code page 1252 among them.
    return ch == '"' || ch == '\'' || ch == ')' || ch == ']' || ch == '}' || ch == 0x92
        || ch == 0x94 || ch == 0xBB;
}

bool IsSpace(unsigned char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == 0xA0;
}

bool IsAbbreviation(std::string_view lower)
{
    static constexpr std::array<std::string_view, 14> known
        = { "mr",   "mrs", "ms", "dr", "st", "etc", "vs",
            "prof", "mt",  "jr", "sr", "no", "fig", "approx" };
    return std::find(known.begin(), known.end(), lower) != known.end();
}

enum class Gap { Same, Ends, EndsFinished };

// What the separators text[from, to) between two words (or after the last) do to the
// sentence of the word before them, lowerBefore.
Gap ReadGap(std::string_view text, size_t from, size_t to, std::string_view lowerBefore)
{
    for (size_t i = from; i < to; ++i) {
        const auto ch = static_cast<unsigned char>(text[i]);
        if (ch == '\r' || ch == '\n' || ch == '|')
            return Gap::Ends;
        if (ch != '.' && ch != '!' && ch != '?')
            continue;
        size_t next = i + 1;
        if (ch == '.' && next < text.size() && text[next] == '.') // an ellipsis
            return Gap::Same;
        while (next < to && (text[next] == '!' || text[next] == '?'))
            ++next;
        // Dialogue: '"Stop!" said Tom' goes on after the closing quote, unless a line ends.
        bool closed = false;
        while (next < to && IsClosing(static_cast<unsigned char>(text[next]))) {
            ++next;
            closed = true;
        }
        if (closed && text.substr(next, to - next).find_first_of("\r\n") == std::string_view::npos
            && next < text.size())
            return Gap::Same;
        if (next < text.size() && !IsSpace(static_cast<unsigned char>(text[next])))
            continue; // "3.5", "www.example": no end
        if (ch == '.'
            && (IsAbbreviation(lowerBefore) || (lowerBefore.size() == 1 && lowerBefore != "i")))
            return Gap::Same;
        // A line end after the mark still ends the sentence as a finished one.
        return Gap::EndsFinished;
    }
    return Gap::Same;
}

// A word touching a path, file name or code character ("/usr/bin", "x.ts", "a_b", `apt`)
// is not prose: the model knows nothing of it.
bool LooksLikeCode(std::string_view text, int32_t start, int32_t length)
{
    auto isCode = [](char ch) {
        return ch == '/' || ch == '\\' || ch == '_' || ch == '`' || ch == '@' || ch == '='
            || ch == '<' || ch == '>' || ch == '{' || ch == '}' || ch == '#' || ch == '~'
            || ch == '$' || ch == '&' || ch == '*' || ch == '+';
    };
    const size_t before = size_t(start), after = size_t(start + length);
    if (before > 0 && (isCode(text[before - 1]) || text[before - 1] == '.'))
        return true;
    if (after < text.size()
        && (isCode(text[after])
            || (text[after] == '.' && after + 1 < text.size()
                && WordScan::IsWordChar(static_cast<unsigned char>(text[after + 1])))))
        return true;
    return false;
}

Word MakeWord(std::string_view text, int32_t start, int32_t length)
{
    // Apostrophes around a word are quotes, not letters.
    while (length > 0 && text[size_t(start)] == '\'') {
        ++start;
        --length;
    }
    while (length > 0 && text[size_t(start + length - 1)] == '\'')
        --length;
    Word word;
    word.Start = start;
    word.Length = length;
    word.Lower.resize(size_t(length));
    int letters = 0, capitals = 0;
    for (int32_t i = 0; i < length; ++i) {
        const auto ch = static_cast<unsigned char>(text[size_t(start + i)]);
        const unsigned char lower = CodePages::AnsiLowerChar(ch);
        word.Lower[size_t(i)] = char(lower);
        if (WordScan::IsDigit(ch))
            word.HasDigit = true;
        else if (ch != '\'') {
            ++letters;
            if (lower != ch) {
                ++capitals;
                if (i == 0)
                    word.Capitalised = true;
            }
        }
    }
    word.HasCapital = capitals > 0;
    word.Code = LooksLikeCode(text, start, length);
    word.AllCapitals = letters > 1 && capitals == letters;
    return word;
}

} // namespace

std::vector<Sentence> Split(std::string_view text)
{
    std::vector<Sentence> sentences(1);
    const auto textLen = static_cast<int32_t>(text.size()) + 1;
    WordScan::Cursor cursor;
    size_t gapStart = 0;
    for (;;) {
        const WordScan::Result result = WordScan::Next(text.data(), textLen, cursor, {});
        if (result == WordScan::Result::End)
            break;
        const auto start = cursor.WordStart - 1;
        if (result == WordScan::Result::TooLong) {
            while (
                cursor.Pos < textLen
                && WordScan::IsWordChar(static_cast<unsigned char>(text[size_t(cursor.Pos - 1)])))
                ++cursor.Pos;
        }
        std::vector<Word> &words = sentences.back().Words;
        const Gap gap = ReadGap(text, gapStart, size_t(start),
                                words.empty() ? std::string_view() : words.back().Lower);
        if (gap != Gap::Same && !words.empty()) {
            sentences.back().Finished = gap == Gap::EndsFinished;
            sentences.emplace_back();
        }
        gapStart = size_t(cursor.Pos - 1);
        if (result == WordScan::Result::TooLong) {
            // Garbage cuts the sentence: nothing is weighed across it.
            if (!sentences.back().Words.empty())
                sentences.emplace_back();
            continue;
        }
        Word word = MakeWord(text, start, cursor.WordEnd - cursor.WordStart);
        if (word.Length > 0)
            sentences.back().Words.push_back(std::move(word));
    }
    std::vector<Word> &last = sentences.back().Words;
    if (!last.empty())
        sentences.back().Finished
            = ReadGap(text, gapStart, text.size(), last.back().Lower) == Gap::EndsFinished;
    else
        sentences.pop_back();
    return sentences;
}

} // namespace SentenceScan
