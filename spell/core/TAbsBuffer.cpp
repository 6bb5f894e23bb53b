#include "spell/core/TAbsBuffer.h"

#include "platform/core/CodePages.h"
#include "spell/core/WordRule.h"
#include "spell/core/WordScan.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <string_view>

namespace {
// Extra room above the text, so that replacements rarely need a larger copy.
constexpr int32_t Reserve = 4096;

// Case-insensitive order for the unique-word count.
struct LessNoCase
{
    bool operator()(const std::string &a, const std::string &b) const
    {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
                return WordScan::LowerChar(static_cast<unsigned char>(x))
                    < WordScan::LowerChar(static_cast<unsigned char>(y));
            });
    }
};

// Shows the busy cursor for the life of a scan or a count.
class BusyScope
{
public:
    explicit BusyScope(std::function<void(bool)> set)
        : FSet(std::move(set))
    {
        FSet(true);
    }
    ~BusyScope() { FSet(false); }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    std::function<void(bool)> FSet;
};
} // namespace

TAbsBuffer::TAbsBuffer(TComponent *owner)
    : TComponent(owner)
{ }

char *TAbsBuffer::CurChar()
{
    static char terminator = 0;
    if (Pos < 1 || Pos > static_cast<int32_t>(Text.size()))
        return &terminator;
    return &Text[Pos - 1];
}

int32_t TAbsBuffer::GetSelStart()
{
    return 1;
}

int32_t TAbsBuffer::GetSelLength()
{
    return 0;
}

int32_t TAbsBuffer::GetWordScreenTop()
{
    return 0;
}

int32_t TAbsBuffer::GetTextCapacity()
{
    return 28671;
}

void TAbsBuffer::EnsureCapacity(int32_t textLen)
{
    if (textLen + 1 <= Capacity)
        return;
    Capacity = textLen + Reserve;
    Text.resize(Capacity, 0);
}

void TAbsBuffer::InitScan()
{
    if (Text.empty() && HasTextSource()) {
        Capacity = GetTextCapacity() + Reserve;
        Text.assign(Capacity, 0);
        TextLen = 0;
    }
    if (Mode == scmCheckFromStart)
        Pos = 1;
    else
        Pos = std::max<int32_t>(GetSelStart(), 1);
    LoadText();
}

void TAbsBuffer::ShowInvalidWord(const std::string &run)
{
    std::fprintf(stderr, "Aborting spell check (Invalid word): %s\n", run.c_str());
}

void TAbsBuffer::ReplaceWordText(const std::u16string &newText)
{
    ReplaceWord(CodePages::Utf16ToAnsi(newText).str());
}

void TAbsBuffer::SkipReplacement()
{
    FSkipReplacement = true;
}

void TAbsBuffer::ScanWords(TTextSource *control, TSpellCheckMode mode)
{
    Control = control;
    Mode = mode;
    SaveSelection();
    InitScan();
    {
        BusyScope busy([this](bool on) { SetBusyCursor(on); });
        std::string word;
        bool stop = false;
        bool wrapped = false;
        const int32_t startPos = Pos;
        const int32_t endPos = Mode == scmCheckSelectedText ? GetSelStart() + GetSelLength() : -1;

        auto wordCharAt = [this](int32_t pos) {
            return pos >= 1 && pos < TextLen
                && WordScan::IsWordChar(static_cast<unsigned char>(Text[pos - 1]));
        };
        // A caret inside or at the end of a word makes the whole word the first one.
        if (Mode != scmCheckFromStart && wordCharAt(Pos) && Pos > 1 && wordCharAt(Pos - 1))
            BackToWordStart();
        SetModified(false);

        for (;;) {
            const bool skip = FSkipReplacement;
            FSkipReplacement = false;
            if (GetModified()) {
                LoadText();
                if (!skip)
                    BackToWordStart();
            }
            if (skip)
                Pos = std::max<int32_t>(FReplacementEnd, 1);
            GetNextWord(word);
            if (WordRule::PassesScanFilters(word, { IgnoreAllUpperCase, IgnoreWithNumbers })
                && OnWord)
                OnWord(*this, word, stop);
            if (wrapped && Pos >= startPos)
                break;
            if (word.empty() && Mode == scmCheckFromCursor && !wrapped) {
                wrapped = true;
                Pos = 1;
                ResetCRCount();
                LoadText();
                continue;
            }
            if (Mode == scmCheckSelectedText && Pos >= endPos)
                break;
            if (word.empty() || stop)
                break;
        }
    }
    RestoreSelection();
}

void TAbsBuffer::CountWords(TTextSource *control, int32_t &words, int32_t &uniqueWords)
{
    Control = control;
    words = 0;
    uniqueWords = 0;
    std::set<std::string, LessNoCase> unique;
    Mode = scmCheckFromStart;
    InitScan();
    BusyScope busy([this](bool on) { SetBusyCursor(on); });
    std::string word;
    do {
        GetNextWord(word);
        if (!word.empty()) {
            ++words;
            unique.insert(word);
        }
    } while (!word.empty());
    uniqueWords = static_cast<int32_t>(unique.size());
}

int32_t TAbsBuffer::MovedPosition(int32_t pos, int32_t start, int32_t oldLength, int32_t newLength)
{
    if (pos >= start + oldLength)
        return pos + newLength - oldLength;
    if (pos > start)
        return start + newLength;
    return pos;
}

bool TAbsBuffer::IsAllUpperCase(const std::string &word)
{
    return WordRule::IsAllUpperCase(word);
}

bool TAbsBuffer::HasDigit(const std::string &word)
{
    return WordRule::HasDigit(word);
}
