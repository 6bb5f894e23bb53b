#pragma once
// Rich Text (RTF) to and from a QTextDocument.

#include "platform/core/rtf/RtfDocument.h"

#include <QObject>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTableFormat>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Fills doc from RTF bytes; false when the bytes are not RTF or cannot be read.
bool ReadRichText(std::string_view bytes, QTextDocument &doc);
// The document as RTF bytes.
std::string WriteRichText(const QTextDocument &doc);
// The document as the writer's model, not yet normalised: the part of WriteRichText that
// reads the document; NormalizeRtf and WriteRtf finish it on any thread.
RtfDocument RichTextModel(const QTextDocument &doc);

// Where a load divided the document only so that it lays out in small pieces: a paragraph
// longer than MaxBlockLength goes on in the next block, and a table of more than about
// TablePieceCells cells is shown as several tables with an empty block between them. The
// marks are cursors, so they follow later edits; a save joins what they mark again, so a
// document loaded and saved keeps its text. A division whose break is deleted is forgotten
// (an undo brings that break back as a paragraph break of its own).
class LoadSplits : public QObject
{
    Q_OBJECT
public:
    // The document's marks, made on first use; they live as long as the document.
    static LoadSplits &Of(QTextDocument &doc);
    static const LoadSplits *Find(const QTextDocument &doc);

    // The block that starts at position continues the paragraph of the block before it.
    void MarkJoin(int position);
    // The empty block at position only separates two pieces of one table.
    void MarkSeparator(int position);
    // The marks follow edits from now on. Made while the document is being filled, where
    // text only goes in after them, they would slow down every insertion.
    void FollowEdits();

    // The positions of the blocks joined to the block before them, and of the separator
    // blocks that are still empty, as they are now.
    std::set<int> JoinedBlocks() const;
    std::set<int> SeparatorBlocks() const;

private:
    explicit LoadSplits(QTextDocument &doc);
    void NoteChange(int from, int removed);
    std::vector<QTextCursor> FJoins, FSeparators;
    std::vector<int> FJoinsAt; // where each join mark was after the last change
    std::vector<int> FPendingJoins, FPendingSeparators; // not yet followed
};

// A paragraph's longest block: a paragraph's layout takes time that grows faster than its
// length (a line without spaces about with its square), and the window waits for it whole.
constexpr int MaxBlockLength = 4096;
// Cells of one piece of a long table: the toolkit lays out a table whole, at about a third
// of a millisecond a cell.
constexpr int TablePieceCells = 96;

// Fills a document a piece at a time, so that a long load can show its progress and be
// stopped between pieces. The document is cleared first.
class DocumentBuilder
{
public:
    virtual ~DocumentBuilder();
    DocumentBuilder(const DocumentBuilder &) = delete;
    DocumentBuilder &operator=(const DocumentBuilder &) = delete;
    // Adds about units × 64 more characters (a paragraph or a table cell counts as one
    // more); false once everything is in.
    virtual bool Step(size_t units) = 0;
    double Progress() const { return double(FDone) / double(FTotal); }

protected:
    explicit DocumentBuilder(QTextDocument &doc);
    // Inserts text at the cursor; past MaxBlockLength it goes on in a new block, split after
    // a space where there is one.
    void InsertText(QString text, const QTextCharFormat &format);
    void Finish();

    QTextDocument &FDoc;
    QTextCursor FCursor;
    size_t FDone = 0, FTotal = 1;
    int FBlockLength = 0; // characters in the cursor's block

private:
    LoadSplits &FSplits;
};

// Plain text: one paragraph a line.
class PlainTextBuilder : public DocumentBuilder
{
public:
    PlainTextBuilder(const QString &text, QTextDocument &doc);
    bool Step(size_t units) override;

private:
    QString FText;
    qsizetype FAt = 0; // the next character to insert
    qsizetype FLineEnd = -1; // of the line FAt is in, once known
};

// Rich Text from its model.
class RichTextBuilder : public DocumentBuilder
{
public:
    RichTextBuilder(RtfDocument model, QTextDocument &doc);
    bool Step(size_t units) override;

private:
    void StartParagraph(const RtfParagraph &paragraph);
    // Inserts the pending paragraph's runs up to the step's goal; true once all are in.
    bool ContinueParagraph();
    // Inserts the next piece of the table; true once the table is complete.
    bool InsertTablePiece(const RtfTable &table);

    RtfDocument FModel;
    size_t FParagraph = 0, FTable = 0; // the next of each to insert
    size_t FGoal = 0; // of FDone, for this step
    const RtfParagraph *FPending = nullptr; // the paragraph partly inserted
    size_t FRun = 0, FRunOffset = 0; // where in it the insertion goes on
    size_t FRow = 0; // the next row of the table being inserted
    int FColumns = 1; // of the table being inserted
    QTextTableFormat FTableFormat;
    int FSerial = 0; // names of picture resources
    bool FFreshBlock = true; // the cursor's block is empty and takes the next paragraph
};
