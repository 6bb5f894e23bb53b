// Reading any bytes as Rich Text, writing the document read and reading that again: the
// second reading must be undamaged and give the same text (runs, tabs, breaks, pictures,
// paragraph and cell ends) and the same picture bytes as the first.

#include "platform/core/rtf/RtfReader.h"
#include "platform/core/rtf/RtfWriter.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void CollectPictures(const std::vector<RtfParagraph> &paragraphs, std::vector<RtfPicture> &out)
{
    for (const RtfParagraph &paragraph : paragraphs)
        for (const RtfRun &run : paragraph.runs)
            if (run.kind == RtfRunKind::Picture)
                out.push_back(run.picture);
}

std::vector<RtfPicture> Pictures(const RtfDocument &document)
{
    std::vector<RtfPicture> pictures;
    CollectPictures(document.paragraphs, pictures);
    for (const RtfTable &table : document.tables)
        for (const RtfTableRow &row : table.rows)
            for (const RtfTableCell &cell : row.cells)
                CollectPictures(cell.paragraphs, pictures);
    return pictures;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const RtfReadResult first = ReadRtf(bytes);
    if (first.status == RtfReadStatus::NotRtf)
        return 0;
    const std::string written = WriteRtf(first.document);
    const RtfReadResult second = ReadRtf(written);
    if (second.status != RtfReadStatus::Ok)
        std::abort();
    if (RtfPlainText(second.document) != RtfPlainText(first.document))
        std::abort();
    if (Pictures(second.document) != Pictures(first.document))
        std::abort();
    return 0;
}
