#include "platform/gui/TRichEdit.h"

#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"
#include "platform/core/TextEncoding.h"
#include "platform/core/rtf/RtfReader.h"
#include "platform/gui/RichTextAdapter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QProgressDialog>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <algorithm>

TRichEdit::TRichEdit(QWidget *parent)
    : QTextEdit(parent)
    , TCustomMemo(1)
{
    setAcceptRichText(true);
    SetHideSelection(true);
    connect(this, &QTextEdit::textChanged, this, [this] { NoteTextChanged(); });
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
    } catch (const std::exception &) {
        throw Exception("Failed to Load Stream");
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
// document is untouched until the load is complete. False when the bytes are not RTF.
static bool ReadRichTextWithProgress(std::string_view bytes, QTextDocument &loaded, QWidget *owner)
{
    RtfReadResult result = ReadRtf(bytes);
    if (result.status == RtfReadStatus::NotRtf)
        return false;
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
    return true;
}

void TRichEdit::LoadFromBytes(std::string_view bytes)
{
    FTextFormat = {};
    if (!FPlainText) {
        QTextDocument loaded;
        loaded.setDefaultFont(font());
        if (ReadRichTextWithProgress(bytes, loaded, this)) {
            // Copied in only when complete, so a failed read leaves nothing behind. A null
            // page size keeps the layout from laying out the copy at once, which would hold
            // the window for as long again as the load; set back, the page size starts the
            // layout anew, lazily: the visible part now, the rest while the window is idle.
            QTextDocument *doc = document();
            const QSizeF pageSize = doc->pageSize();
            doc->setPageSize(QSizeF(0, 0));
            clear();
            QTextCursor(doc).insertFragment(QTextDocumentFragment(&loaded));
            // The caret goes to the start before anything is laid out: placed at the end
            // first, showing it would lay out the whole text.
            setTextCursor(QTextCursor(doc));
            doc->setPageSize(pageSize);
            document()->clearUndoRedoStacks();
            document()->setModified(false);
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
    } catch (const std::exception &) {
        throw Exception("Failed to Save Stream");
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
