#include "platform/gui/TRichEdit.h"

#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"
#include "platform/core/TextEncoding.h"
#include "platform/gui/RichTextAdapter.h"

#include <QFile>
#include <QPrinter>
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

void TRichEdit::LoadFromBytes(std::string_view bytes)
{
    FTextFormat = {};
    if (!FPlainText) {
        QTextDocument loaded;
        loaded.setDefaultFont(font());
        if (ReadRichText(bytes, loaded)) {
            // Swapped in only when complete, so a failed read leaves nothing behind.
            clear();
            textCursor().insertFragment(QTextDocumentFragment(&loaded));
            moveCursor(QTextCursor::Start);
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
