#pragma once
// Shared helpers of the Rich Text tests: sample files and short ways to look into a model.

#include "platform/core/rtf/RtfDocument.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

inline std::string ReadSample(const std::string &name)
{
    std::ifstream file(std::string(SCRIVLO_SOURCE_DIR) + "/tests/platform/core/rtf/samples/" + name,
                       std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// Paragraphs joined by '\n' without a final one: easier to write in expectations.
inline std::u16string TextOf(const RtfDocument &document)
{
    std::u16string text = RtfPlainText(document);
    if (!text.empty())
        text.pop_back();
    return text;
}

// The first text run whose text is exactly text, or nullptr; table cells are searched after
// the document's paragraphs.
inline const RtfRun *FindRun(const RtfDocument &document, std::u16string_view text)
{
    std::vector<const RtfParagraph *> paragraphs;
    for (const RtfParagraph &paragraph : document.paragraphs)
        paragraphs.push_back(&paragraph);
    for (const RtfTable &table : document.tables)
        for (const RtfTableRow &row : table.rows)
            for (const RtfTableCell &cell : row.cells)
                for (const RtfParagraph &paragraph : cell.paragraphs)
                    paragraphs.push_back(&paragraph);
    for (const RtfParagraph *paragraph : paragraphs)
        for (const RtfRun &run : paragraph->runs)
            if (run.kind == RtfRunKind::Text && run.text == text)
                return &run;
    return nullptr;
}

// The invariants every model the reader gives must hold, whatever the input.
inline ::testing::AssertionResult WellFormed(const RtfDocument &document)
{
    for (const RtfParagraph &paragraph : document.paragraphs) {
        for (size_t i = 0; i < paragraph.runs.size(); ++i) {
            const RtfRun &run = paragraph.runs[i];
            const int32_t size = run.format.sizeHalfPoints;
            if (size < 1 || size > 3276)
                return ::testing::AssertionFailure() << "font size " << size;
            if (run.kind == RtfRunKind::Text) {
                if (run.text.empty())
                    return ::testing::AssertionFailure() << "empty text run";
                for (char16_t c : run.text)
                    if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029)
                        return ::testing::AssertionFailure() << "control character " << int(c);
                if (i > 0 && paragraph.runs[i - 1].kind == RtfRunKind::Text
                    && paragraph.runs[i - 1].format == run.format)
                    return ::testing::AssertionFailure() << "unmerged runs";
            }
            if (run.kind == RtfRunKind::Picture && run.picture.data.empty())
                return ::testing::AssertionFailure() << "empty picture";
        }
    }
    return ::testing::AssertionSuccess();
}
