#pragma once
// The rich-text editing control. Its text has CR LF line ends while its positions count
// a paragraph (or line) break as one: a text offset exceeds the control position by the
// number of breaks before it, which the spell check corrects for by counting CRs.
//
// Documents load and save whole, as Rich Text or, in PlainText mode, as text: UTF-8,
// UTF-16 with byte-order mark or code page 1252, written back in the encoding and line
// ends it was read with (a new text as UTF-8 with LF).

#include "platform/core/TextEncoding.h"
#include "platform/gui/TCustomMemo.h"

#include <QColor>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <functional>
#include <memory>
#include <string_view>

class QPrinter;

class TRichEdit : public QTextEdit, public TCustomMemo
{
    Q_OBJECT
public:
    explicit TRichEdit(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    QWidget *ClientWidget() override { return viewport(); }
    int LimitText() const override; // at least 32767, the classic default

    // Replaces the text; its plain-text form is then that of a new file.
    void SetText(const QString &text) override;

    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool value) { FPlainText = value; }

    // Replaces the text with the file's content and clears Modified. In Rich Text mode
    // bytes that are not RTF load as plain text. Raises Exception "Failed to Load
    // Stream." with the file and the reason on a second line when the file cannot be
    // read; the text is then unchanged. A long load shows its progress; cancelled, it
    // raises EAbort and the text is unchanged. The window goes on handling events
    // meanwhile, and lays out a long document later, while idle.
    void LoadFromFile(const QString &path);
    void LoadFromBytes(std::string_view bytes);
    // Whether the last load was of a damaged Rich Text file: what could be read is shown,
    // the rest is lost, also to a save over the file.
    bool LoadedDamaged() const { return FLoadedDamaged; }
    // Writes the document in the current mode through a temporary file, so a failed save
    // leaves the old file intact; raises Exception "Failed to Save Stream." with the file
    // and the reason on a second line on failure.
    // Modified is left alone.
    void SaveToFile(const QString &path) const;
    std::string SaveToBytes() const;
    // SaveToBytes in two steps: this call copies what the bytes need of the document, and
    // the function it returns makes them, on any thread, without touching the control.
    std::function<std::string()> SaveLater() const;

    // Character attributes of the selection, or of the typing at the caret.
    QTextCharFormat SelAttributes() const { return currentCharFormat(); }
    void SetSelAttributes(const QFont &font, const QColor &color);

    // Prints the whole document as one job named jobName; raises Exception on failure.
    void Print(const QString &jobName, QPrinter &printer);

signals:
    // A Rich Text load shows a new document object; whatever was connected to the old one
    // connects to this one.
    void DocumentReplaced(QTextDocument *document);

protected:
    QTextDocument *Document() const override { return document(); }
    QTextCursor TextCursor() const override { return textCursor(); }
    void SetTextCursor(const QTextCursor &cursor) override { setTextCursor(cursor); }
    QRect CursorRect(const QTextCursor &cursor) const override { return cursorRect(cursor); }
    QTextCursor CursorForPosition(QPoint point) const override { return cursorForPosition(point); }
    void ReplaceDocumentText(const QString &text) override { setPlainText(text); }

private:
    class LayoutPacer;
    void ShowLoaded(std::unique_ptr<QTextDocument> loaded);
    QString SavedText() const;
    LayoutPacer *FLayoutPacer = nullptr; // a child
    void KeepCaretParagraphShaped();
    bool FPlainText = false;
    QTextCursor FShapedParagraph; // at the start of the paragraph whose shaping is kept
    bool FLoadedDamaged = false;
    TextEncoding::TTextFormat FTextFormat; // of the text file last read
};
