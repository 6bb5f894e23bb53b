#pragma once
// Gathers a text given piece by piece as UTF-16 code units into paragraphs of code page
// 1252 text for the check in context, and tells where each of their characters stands.
// A paragraph ends at an empty line (or one of spaces only) and at the end of the text;
// the line ends inside a paragraph become spaces, because a plain text file wraps its
// sentences across lines. A paragraph that grows past MaxParagraph is handed on at the
// next sentence end (or space, past MaxParagraph * 4), so memory stays flat.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class ParagraphCollector
{
public:
    static constexpr size_t MaxParagraph = size_t(1) << 16;

    struct Position
    {
        uint64_t line; // 1-based
        uint64_t column; // 1-based, in characters of the line
    };
    // Called with each paragraph; Locate works on its offsets during the call.
    using Handler = std::function<void(std::string_view paragraph)>;
    explicit ParagraphCollector(Handler handler);

    void Feed(std::u16string_view units);
    // The text has ended: hands on the last paragraph.
    void Finish();
    // Where the character at offset of the paragraph being handed on stands.
    Position Locate(size_t offset) const;

private:
    struct LineStart
    {
        size_t offset;
        uint64_t line;
        uint64_t column;
    };
    // Before a space: hands on a paragraph grown too long when it ends a sentence here.
    bool CutAtSentenceEnd();
    void HandOn();

    Handler FHandler;
    std::string FText;
    std::vector<LineStart> FLines; // where each line of the paragraph starts in FText
    uint64_t FLine = 1;
    uint64_t FColumn = 1;
    bool FAfterCR = false;
    bool FLineBlank = true; // nothing but spaces on the line so far
};
