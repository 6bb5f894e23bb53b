#pragma once
// Rich Text (RTF) to and from a QTextDocument.

#include "platform/core/rtf/RtfDocument.h"

#include <QTextCursor>
#include <QTextDocument>
#include <string>
#include <string_view>

// Fills doc from RTF bytes; false when the bytes are not RTF or cannot be read.
bool ReadRichText(std::string_view bytes, QTextDocument &doc);
// The document as RTF bytes.
std::string WriteRichText(const QTextDocument &doc);
// The document as the writer's model, not yet normalised: the part of WriteRichText that
// reads the document; NormalizeRtf and WriteRtf finish it on any thread.
RtfDocument RichTextModel(const QTextDocument &doc);

// Fills a document from a model a piece at a time, so that a long load can show its
// progress and be stopped between pieces. The document is cleared first.
class RichTextBuilder
{
public:
    RichTextBuilder(RtfDocument model, QTextDocument &doc);
    ~RichTextBuilder();
    RichTextBuilder(const RichTextBuilder &) = delete;
    RichTextBuilder &operator=(const RichTextBuilder &) = delete;
    // Adds about units more paragraphs or table cells; false once everything is in.
    bool Step(size_t units);
    double Progress() const { return double(FDone) / double(FTotal); }

private:
    void InsertParagraph(const RtfParagraph &paragraph);
    void InsertTable(const RtfTable &table);

    RtfDocument FModel;
    QTextDocument &FDoc;
    QTextCursor FCursor;
    size_t FParagraph = 0, FTable = 0; // the next of each to insert
    size_t FDone = 0, FTotal = 1;
    int FSerial = 0; // names of picture resources
    bool FFreshBlock = true; // the cursor's block is empty and takes the next paragraph
};
