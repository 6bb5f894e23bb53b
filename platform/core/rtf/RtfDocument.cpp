#include "platform/core/rtf/RtfDocument.h"

void NormalizeRtf(RtfDocument &document)
{
    for (RtfParagraph &paragraph : document.paragraphs) {
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

std::u16string RtfPlainText(const RtfDocument &document)
{
    std::u16string text;
    for (const RtfParagraph &paragraph : document.paragraphs) {
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
        text += u'\n';
    }
    return text;
}
