#include "platform/core/rtf/RtfDocument.h"

namespace {

void Normalize(std::vector<RtfParagraph> &paragraphs)
{
    for (RtfParagraph &paragraph : paragraphs) {
        std::vector<RtfRun> runs;
        runs.reserve(paragraph.runs.size());
        for (RtfRun &run : paragraph.runs) {
            if (run.kind == RtfRunKind::Text) {
                if (run.text.empty())
                    continue;
                if (!runs.empty() && runs.back().kind == RtfRunKind::Text
                    && runs.back().format == run.format) {
                    runs.back().text += run.text;
                    continue;
                }
            }
            runs.push_back(std::move(run));
        }
        paragraph.runs = std::move(runs);
    }
}

void AppendRuns(std::u16string &text, const RtfParagraph &paragraph)
{
    for (const RtfRun &run : paragraph.runs) {
        switch (run.kind) {
        case RtfRunKind::Text:
            text += run.text;
            break;
        case RtfRunKind::Tab:
            text += u'\t';
            break;
        case RtfRunKind::LineBreak:
            text += u'\u2028';
            break;
        case RtfRunKind::PageBreak:
            text += u'\f';
            break;
        case RtfRunKind::Picture:
            text += u'\uFFFC';
            break;
        }
    }
}

void AppendTable(std::u16string &text, const RtfTable &table)
{
    for (const RtfTableRow &row : table.rows) {
        for (const RtfTableCell &cell : row.cells) {
            for (size_t i = 0; i < cell.paragraphs.size(); ++i) {
                if (i > 0)
                    text += u'\n';
                AppendRuns(text, cell.paragraphs[i]);
            }
            text += u'\a';
        }
        text += u'\n';
    }
}

} // namespace

void NormalizeRtf(RtfDocument &document)
{
    Normalize(document.paragraphs);
    for (RtfTable &table : document.tables)
        for (RtfTableRow &row : table.rows)
            for (RtfTableCell &cell : row.cells)
                Normalize(cell.paragraphs);
}

std::u16string RtfPlainText(const RtfDocument &document)
{
    std::u16string text;
    auto table = document.tables.begin();
    for (size_t i = 0; i <= document.paragraphs.size(); ++i) {
        for (; table != document.tables.end() && table->position <= i; ++table)
            AppendTable(text, *table);
        if (i == document.paragraphs.size())
            break;
        AppendRuns(text, document.paragraphs[i]);
        text += u'\n';
    }
    return text;
}
