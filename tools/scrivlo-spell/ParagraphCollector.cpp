#include "tools/scrivlo-spell/ParagraphCollector.h"

#include "platform/core/CodePages.h"
#include "tools/scrivlo-spell/TextMapping.h"

#include <algorithm>

namespace {

bool IsBlank(char16_t unit)
{
    return unit == u' ' || unit == u'\t' || unit == u'\f' || unit == u'\v' || unit == 0xA0;
}

} // namespace

ParagraphCollector::ParagraphCollector(Handler handler)
    : FHandler(std::move(handler))
{
    FLines.push_back({ 0, FLine, FColumn });
}

void ParagraphCollector::Feed(std::u16string_view units)
{
    for (const char16_t unit : units) {
        if (unit == u'\n' && FAfterCR) {
            FAfterCR = false; // the LF of a CR LF
            continue;
        }
        if (unit == u'\n' || unit == u'\r') {
            FAfterCR = unit == u'\r';
            const bool blank = FLineBlank;
            ++FLine;
            FColumn = 1;
            FLineBlank = true;
            if (blank)
                HandOn();
            else if (!CutAtSentenceEnd())
                FText += ' ';
            FLines.push_back({ FText.size(), FLine, FColumn });
            continue;
        }
        FAfterCR = false;
        // The second half of a surrogate pair belongs to the character already counted.
        if (TextMapping::IsLowSurrogate(unit))
            continue;
        const bool blank = IsBlank(unit);
        if (blank && CutAtSentenceEnd())
            FLines.push_back({ FText.size(), FLine, FColumn });
        FText += unit < 0x80 ? char(unit) : char(CodePages::Utf16UnitToAnsi(unit));
        ++FColumn;
        FLineBlank = FLineBlank && blank;
    }
}

void ParagraphCollector::Finish()
{
    HandOn();
    FLines.push_back({ 0, FLine, FColumn });
}

ParagraphCollector::Position ParagraphCollector::Locate(size_t offset) const
{
    const auto after = std::upper_bound(FLines.begin(), FLines.end(), offset,
                                        [](size_t o, const LineStart &s) { return o < s.offset; });
    const LineStart &start = after == FLines.begin() ? FLines.front() : *(after - 1);
    return { start.line, start.column + (offset - start.offset) };
}

bool ParagraphCollector::CutAtSentenceEnd()
{
    if (FText.size() < MaxParagraph
        || (FText.size() < MaxParagraph * 4 && FText.back() != '.' && FText.back() != '!'
            && FText.back() != '?'))
        return false;
    HandOn();
    return true;
}

void ParagraphCollector::HandOn()
{
    if (FText.find_first_not_of(' ') != std::string::npos)
        FHandler(FText);
    FText.clear();
    FLines.clear();
}
