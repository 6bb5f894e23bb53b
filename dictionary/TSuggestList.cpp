#include "dictionary/TSuggestList.h"

#include "dictionary/DctFormat.h"
#include "dictionary/TDCTFile.h"

#include <array>

namespace {

// Sound code of every byte (code page 437, ASCII letters already raised): '0' drops the
// letter; bytes without a code get 0, which is kept like a consonant code.
constexpr std::array<char, 256> MakePhoneticTable()
{
    std::array<char, 256> t {};
    auto set = [&t](std::string_view bytes, char code) {
        for (char c : bytes)
            t[static_cast<unsigned char>(c)] = code;
    };
    set("AEIOUWY", '0');
    for (int b = 0x81; b <= 0x86; ++b)
        t[b] = '0';
    for (int b = 0x88; b <= 0x9A; ++b)
        t[b] = '0';
    for (int b = 0xA0; b <= 0xA3; ++b)
        t[b] = '0';
    set("BFPV\x9F", '1');
    set("CGHJKQSXZ\x80\x87", '2');
    set("DT", '3');
    set("L", '4');
    set("MN\xA4\xA5", '5');
    set("R", '6');
    return t;
}
constexpr std::array<char, 256> PhoneticTable = MakePhoneticTable();

char RaiseAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

// One step of the similarity measure on W[a..b] against C[p..q] (1-based, inclusive):
// find the longest common run, count it, and recurse on the parts left and right of it.
void MatchRuns(std::string_view w, int a, int b, std::string_view c, int p, int q, int &total)
{
    if (a == b || p == q)
        return;
    auto W = [&](int i) { return w[size_t(i - 1)]; };
    auto C = [&](int j) { return c[size_t(j - 1)]; };
    int best = 0, bi = 0, bj = 0;
    int endW = b, endC = q;
    int i = a - 1;
    while (i < endW) {
        ++i;
        int j = p - 1;
        while (j < endC) {
            ++j;
            if (i <= endW && W(i) == C(j)) {
                int len = 0;
                while (j + len <= endC && i + len <= endW && W(i + len) == C(j + len))
                    ++len;
                if (len > best) {
                    best = len;
                    bi = i;
                    bj = j;
                    endW = b - best - 1;
                    endC = q - best - 1;
                    i += len;
                }
                j += len;
            }
        }
    }
    if (best > 0) {
        total += 2 * best;
        MatchRuns(w, a, bi - 1, c, p, bj - 1, total);
        MatchRuns(w, bi + best, b, c, bj + best, q, total);
    }
}

} // namespace

TSuggestion::TSuggestion(std::string_view word, int16_t score)
    : Word(word.substr(0, Dct::WordMax))
    , Score(score)
{ }

TSuggestList::TSuggestList(TDictionary *dictionary)
    : Dictionary(dictionary)
{ }

int16_t Similarity(std::string_view word1, std::string_view word2)
{
    const int n = int(word1.size()), m = int(word2.size());
    if (n + m == 0)
        return 0;
    int total = 0;
    MatchRuns(word1, 1, n, word2, 1, m, total);
    return int16_t(total * 100 / (n + m));
}

namespace {

// The unpadded sound code of word (at most 4 characters) written to out; returns its length.
// Letters are taken one by one: the first stays, every further one becomes its code unless
// the code is '0' or, from the third place on, equals the code kept before it.
size_t WritePhoneticCode(std::string_view word, char (&out)[4])
{
    word = word.substr(0, Dct::WordMax);
    if (word.empty())
        return 0;
    out[0] = RaiseAscii(word[0]);
    size_t length = 1;
    for (size_t k = 1; k < word.size() && length < 4; ++k) {
        const char code = PhoneticTable[static_cast<unsigned char>(RaiseAscii(word[k]))];
        if (code == '0' || (length >= 2 && code == out[length - 1]))
            continue;
        out[length++] = code;
    }
    return length;
}

} // namespace

std::string TSuggestList::PhoneticCode(std::string_view word, bool pad)
{
    char code[4];
    std::string s(code, WritePhoneticCode(word, code));
    if (pad)
        s.append(4 - s.size(), '0');
    return s;
}

bool TSuggestList::SoundsLike(std::string_view candidate) const
{
    // Called for every node the suggestion walk reads, so the code stays on the stack.
    char code[4];
    const size_t length = WritePhoneticCode(candidate, code);
    return length <= Code.size() && Code.compare(0, length, code, length) == 0;
}

void TSuggestList::AddRanked(std::string_view word, std::string_view candidate)
{
    const int16_t score = Similarity(word, candidate);
    if (Count() == 0) {
        Append(new TSuggestion(candidate, score));
        return;
    }
    for (TSuggestion *s = First(); s; s = NextOf(s)) {
        if (s->Score < score) {
            InsertBefore(s, new TSuggestion(candidate, score));
            if (Count() > MaxCount)
                Delete(Tail());
            return;
        }
    }
    if (Count() < MaxCount)
        Append(new TSuggestion(candidate, score));
}

int32_t TSuggestList::FindRootChild(unsigned char letter) const
{
    for (int32_t index = 1;; ++index) {
        const uint32_t node = DCTFile->GetNode(index);
        if (Dct::NodeChar(node) == letter)
            return int32_t(Dct::NodeChild(node));
        if (Dct::NodeIsLast(node))
            return 0;
    }
}

uint64_t TSuggestList::WalkBudget(const TDCTFile &file, uint32_t maxCount)
{
    return (uint64_t(file.NodeCount()) + maxCount) * Dct::WordMax;
}

void TSuggestList::SearchFile(TDCTFile &file, uint8_t maxCount, std::string_view word)
{
    DCTFile = &file;
    MaxCount = maxCount;
    word = word.substr(0, Dct::WordMax);
    Code = PhoneticCode(word, true);
    MinLength = int16_t(int(word.size()) - 2);
    MaxLength = int16_t(word.size() + 2);
    if (word.empty())
        return;

    char candidate[Dct::WordMax];
    candidate[0] = (word[0] >= 'A' && word[0] <= 'Z') ? char(word[0] - 'A' + 'a') : word[0];
    int length = 1;
    const int32_t rootChild = FindRootChild(static_cast<unsigned char>(candidate[0]));
    if (rootChild == 0)
        return;

    // next[d]: index of the node to read as letter d + 1; node[d]: the node read there.
    std::array<int32_t, Dct::WordMax + 1> next {};
    std::array<uint32_t, Dct::WordMax + 1> node {};
    next[1] = rootChild;
    uint64_t budget = WalkBudget(file, maxCount);
    while (length > 0 && budget-- > 0) {
        const int d = length;
        node[d] = file.GetNode(next[d]);
        candidate[length++] = char(Dct::NodeChar(node[d]));
        const std::string_view current(candidate, size_t(length));
        if (length <= MaxLength && SoundsLike(current)) {
            if (Dct::NodeIsWordEnd(node[d]) && length >= MinLength)
                AddRanked(word, current);
            // A candidate never grows past 50 letters, whatever the file's links say.
            if (Dct::NodeChild(node[d]) != 0 && length < int(Dct::WordMax)) {
                next[length] = int32_t(Dct::NodeChild(node[d]));
                continue;
            }
        }
        while (length > 1 && Dct::NodeIsLast(node[length - 1]))
            --length;
        --length;
        if (length > 0)
            ++next[length];
    }
}
