#include "platform/gui/TRichEdit.h"

#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"
#include "platform/core/TextEncoding.h"
#include "platform/core/rtf/RtfReader.h"
#include "platform/gui/FileErrors.h"
#include "platform/gui/RichTextAdapter.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QProgressDialog>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <memory>

TRichEdit::TRichEdit(QWidget *parent)
    : QTextEdit(parent)
    , TCustomMemo(1)
{
    setAcceptRichText(true);
    SetHideSelection(true);
    connect(this, &QTextEdit::textChanged, this, [this] { NoteTextChanged(); });
    connect(this, &QTextEdit::cursorPositionChanged, this, &TRichEdit::KeepCaretParagraphShaped);
}

// A paragraph's layout drops its shaped glyphs after every paint, and the caret, the
// lines under misspelt words and the next key's caret movement each shape the whole
// paragraph again. The paragraph being typed in keeps them: one paragraph's worth of
// memory for several shapings of it per key.
void TRichEdit::KeepCaretParagraphShaped()
{
    const QTextBlock block = textCursor().block();
    if (!FShapedParagraph.isNull() && FShapedParagraph.block() == block)
        return;
    // The cursor follows the text's changes, and goes null with its document.
    if (!FShapedParagraph.isNull())
        if (QTextLayout *layout = FShapedParagraph.block().layout())
            layout->setCacheEnabled(false);
    FShapedParagraph = QTextCursor(block);
    if (QTextLayout *layout = block.layout())
        layout->setCacheEnabled(true);
}

int TRichEdit::LimitText() const
{
    return std::max(32767, GetTextLen());
}

static std::string LocalPath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

void TRichEdit::LoadFromFile(const QString &path)
{
    std::string bytes;
    try {
        bytes = FileUtils::ReadWholeFile(LocalPath(path));
    } catch (const std::exception &e) {
        throw Exception(FileErrorMessage(tr("Failed to Load Stream"), path, e, TFileAction::Open)
                            .toStdString());
    }
    LoadFromBytes(bytes);
}

void TRichEdit::SetText(const QString &text)
{
    TCustomMemo::SetText(text);
    FTextFormat = {}; // a new text, saved as a new file would be
}

void TRichEdit::LoadPlainText(std::string_view bytes)
{
    std::u16string text;
    const TextEncoding::TTextFormat format = TextEncoding::DecodeText(bytes, text);
    SetText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    FTextFormat = format;
}

// Reads Rich Text into a document of its own, a piece at a time. A load that lasts more
// than about a second shows a progress bar whose Cancel raises EAbort; the editor's
// document is untouched until the load is complete. NotRtf when the bytes are not RTF.
static RtfReadStatus ReadRichTextWithProgress(std::string_view bytes, QTextDocument &loaded,
                                              QWidget *owner)
{
    RtfReadResult result = ReadRtf(bytes);
    if (result.status == RtfReadStatus::NotRtf)
        return result.status;
    const RtfReadStatus status = result.status;
    loaded.setUndoRedoEnabled(false);
    RichTextBuilder builder(std::move(result.document), loaded);
    QProgressDialog progress(QStringLiteral("Opening the document..."), QStringLiteral("Cancel"), 0,
                             1000, owner);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(1000);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    QElapsedTimer sinceEvents; // events are handled after the first piece, then every 30 ms
    while (builder.Step(64)) {
        if (sinceEvents.isValid() && sinceEvents.elapsed() < 30)
            continue;
        progress.setValue(int(builder.Progress() * 1000));
        QCoreApplication::processEvents();
        if (progress.wasCanceled())
            throw EAbort("Operation aborted");
        sinceEvents.restart();
    }
    return status;
}

// The settings a document takes from the window rather than from the file.
static void CopyDocumentSettings(const QTextDocument &from, QTextDocument &to)
{
    to.setDefaultFont(from.defaultFont());
    to.setDefaultTextOption(from.defaultTextOption());
    to.setDocumentMargin(from.documentMargin());
    to.setIndentWidth(from.indentWidth());
    to.setUseDesignMetrics(from.useDesignMetrics());
    to.setDefaultStyleSheet(from.defaultStyleSheet());
}

void TRichEdit::LoadFromBytes(std::string_view bytes)
{
    FTextFormat = {};
    FLoadedDamaged = false;
    if (!FPlainText) {
        QTextDocument *old = document();
        auto loaded = std::make_unique<QTextDocument>();
        CopyDocumentSettings(*old, *loaded);
        const RtfReadStatus status = ReadRichTextWithProgress(bytes, *loaded, this);
        if (status != RtfReadStatus::NotRtf) {
            FLoadedDamaged = status == RtfReadStatus::Damaged;
            // Shown only when complete, so a failed read leaves nothing behind. The loaded
            // document itself takes the old one's place: a copy of it would hold the window,
            // with no progress, for as long again as the load. Owned as the old one was (by the
            // control, which deletes it on the next swap), it is laid out lazily: the visible part
            // now, the rest while the window is idle.
            loaded->setUndoRedoEnabled(old->isUndoRedoEnabled());
            loaded->setModified(false);
            loaded->setParent(old->parent());
            // A zoom draws on a device of its own resolution. Set only now: a layout made
            // before the text went in would have laid it out at every piece.
            loaded->documentLayout()->setPaintDevice(old->documentLayout()->paintDevice());
            QTextDocument *doc = loaded.release();
            setDocument(doc); // deletes the old document, which the control owned
            setTextCursor(QTextCursor(doc));
            emit DocumentReplaced(doc);
            return;
        }
        // Not Rich Text: read the same bytes once more as plain text.
    }
    // Decoding as text cannot fail: a byte that is not UTF-8 is code page 1252.
    LoadPlainText(bytes);
}

std::string TRichEdit::SaveToBytes() const
{
    if (FPlainText) {
        const QString text = Text();
        return TextEncoding::EncodeText(
            std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()),
                                static_cast<size_t>(text.size())),
            FTextFormat);
    }
    return WriteRichText(*document());
}

void TRichEdit::SaveToFile(const QString &path) const
{
    try {
        FileUtils::WriteFileSafely(LocalPath(path), SaveToBytes());
    } catch (const std::exception &e) {
        throw Exception(FileErrorMessage(tr("Failed to Save Stream"), path, e, TFileAction::Save)
                            .toStdString());
    }
}

void TRichEdit::SetSelAttributes(const QFont &font, const QColor &color)
{
    QTextCharFormat format;
    format.setFont(font);
    format.setForeground(color);
    mergeCurrentCharFormat(format); // the selection, or the typing attributes at the caret
}

void TRichEdit::Print(const QString &jobName, QPrinter &printer)
{
    printer.setDocName(jobName);
    if (!printer.isValid())
        throw Exception("Printer is not valid");
    document()->print(&printer);
    if (printer.printerState() == QPrinter::Error)
        throw Exception("Printing failed");
}
