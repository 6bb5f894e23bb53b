#include "spell/core/TPCharBuffer.h"

#include "spell/core/WordScan.h"

#include <algorithm>
#include <cstring>

TPCharBuffer::TPCharBuffer(TComponent *owner)
    : TAbsBuffer(owner)
{ }

void TPCharBuffer::TakeText(const char *text, int32_t n)
{
    EnsureCapacity(n + 1);
    std::memcpy(Text.data(), text, n);
    Text[n] = 0;
    TextLen = n + 1;
}

void TPCharBuffer::LoadText()
{
    if (!Source) {
        TextLen = 0;
        return;
    }
    // The text ends at its first zero byte, as a zero-terminated text would.
    const int32_t n = static_cast<int32_t>(std::strlen(Source->c_str()));
    TakeText(Source->data(), n);
}

void TPCharBuffer::GetNextWord(std::string &word)
{
    WordScan::Cursor cursor;
    cursor.Pos = Pos;
    cursor.CRCount = CRCount;
    const int32_t limit = std::min<int32_t>(TextLen, static_cast<int32_t>(Text.size()));
    const WordScan::Result result
        = WordScan::Next(Text.data(), limit, cursor, { SupportHTML, SupportRTF2 });
    Pos = cursor.Pos;
    CRCount = cursor.CRCount;
    WordStart = cursor.WordStart;
    WordEnd = cursor.WordEnd;
    AllDigits = cursor.AllDigits;
    word.clear();
    if (result == WordScan::Result::Word)
        word.assign(&Text[WordStart - 1], WordEnd - WordStart);
    else if (result == WordScan::Result::TooLong)
        ShowInvalidWord(std::string(&Text[WordStart - 1], WordEnd - WordStart));
}

void TPCharBuffer::BackToWordStart()
{
    while (WordScan::IsWordChar(static_cast<unsigned char>(*CurChar())) && Pos > 1)
        --Pos;
}

void TPCharBuffer::GetWordAtCursor(TTextSource *control, std::string &word)
{
    Mode = scmCheckFromCursor;
    Control = control;
    InitScan();
    auto wordChar = [this](int32_t pos) {
        return pos >= 1 && pos < TextLen
            && WordScan::IsWordChar(static_cast<unsigned char>(Text[pos - 1]));
    };
    if (Pos > 1 && wordChar(Pos) && wordChar(Pos - 1))
        BackToWordStart();
    GetNextWord(word);
}

void TPCharBuffer::ReplaceWord(const std::string &newText)
{
    if (!Source)
        return;
    const size_t start = std::min<size_t>(WordStart - 1, Source->size());
    const size_t length = std::min<size_t>(WordEnd - WordStart, Source->size() - start);
    Source->replace(start, length, newText);
    Pos = WordStart;
    FReplacementEnd = WordStart + static_cast<int32_t>(newText.size());
    LoadText();
}
