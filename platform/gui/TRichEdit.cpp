#include "platform/gui/TRichEdit.h"

#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"
#include "platform/core/TextEncoding.h"
#include "platform/core/rtf/RtfReader.h"
#include "platform/core/rtf/RtfWriter.h"
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
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <set>
#include <thread>

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

namespace {

// The progress bar of a load, shown when the load lasts more than about a second; its
// Cancel raises EAbort. Events are handled every 30 ms, so the window repaints and a
// request to end the program is heard.
class LoadProgress
{
public:
    explicit LoadProgress(QWidget *owner)
        : FDialog(QStringLiteral("Opening the document..."), QStringLiteral("Cancel"), 0, 1000,
                  owner)
    {
        FDialog.setWindowModality(Qt::WindowModal);
        FDialog.setMinimumDuration(1000);
        FDialog.setAutoClose(false);
        FDialog.setAutoReset(false);
    }

    // Reading the bytes runs on a thread of its own meanwhile. Cancelled, it is waited for.
    template<typename T> T Aside(std::function<T()> work)
    {
        std::packaged_task<T()> task(std::move(work));
        std::future<T> result = task.get_future();
        std::thread worker(std::move(task));
        try {
            while (result.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
                Turn(0);
        } catch (...) {
            worker.join();
            throw;
        }
        worker.join();
        return result.get();
    }

    // Fills a document of its own a piece at a time.
    void Build(DocumentBuilder &builder)
    {
        while (builder.Step(64))
            Turn(builder.Progress());
    }

private:
    void Turn(double done)
    {
        if (FSinceEvents.isValid() && FSinceEvents.elapsed() < 30)
            return;
        // The same value again would put off the dialog's showing once more.
        if (const int value = int(done * 1000); value != FDialog.value())
            FDialog.setValue(value);
        QCoreApplication::processEvents();
        if (FDialog.wasCanceled())
            throw EAbort("Operation aborted");
        FSinceEvents.restart();
    }

    QProgressDialog FDialog;
    QElapsedTimer FSinceEvents; // events are handled at once, then every 30 ms
};

struct DecodedText
{
    QString text;
    TextEncoding::TTextFormat format;
};

// Decoding as text cannot fail: a byte that is not UTF-8 is code page 1252.
DecodedText DecodePlainText(std::string_view bytes)
{
    std::u16string text;
    DecodedText out;
    out.format = TextEncoding::DecodeText(bytes, text);
    out.text = NormalizeLineEnds(QString::fromUtf16(text.data(), qsizetype(text.size())));
    return out;
}

} // namespace

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

// Lays out the rest of a document while the window is idle, a slice of about 10 ms at a
// time. The toolkit's own idle steps grow to 200,000 characters, over 100 ms of text and
// seconds of tables; its timer now only says that some layout is left, and this does it.
class TRichEdit::LayoutPacer : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Timer)
            return false;
        // True while some is left: the toolkit's own step is skipped. Once all is laid out
        // its timer goes through, and stops.
        return LayOutSlice(*static_cast<QAbstractTextDocumentLayout *>(watched));
    }

private:
    static bool LaidOut(const QTextBlock &block)
    {
        return block.layout() && block.layout()->lineCount() > 0;
    }

    bool LayOutSlice(QAbstractTextDocumentLayout &layout)
    {
        const QTextDocument &doc = *layout.document();
        QTextBlock block = doc.findBlock(FNext);
        // A layout begun again (a new width) starts again from the top.
        if (!block.isValid() || (block.previous().isValid() && !LaidOut(block.previous())))
            block = doc.begin();
        QElapsedTimer slice;
        slice.start();
        for (; block.isValid(); block = block.next()) {
            if (LaidOut(block) || !block.isVisible())
                continue;
            layout.blockBoundingRect(block); // lays out what comes before too
            if (slice.elapsed() >= 10) {
                FNext = block.position();
                return true;
            }
        }
        FNext = 0;
        return false;
    }

    int FNext = 0; // where the next slice starts
};

TRichEdit::TRichEdit(QWidget *parent)
    : QTextEdit(parent)
    , TCustomMemo(1)
{
    setAcceptRichText(true);
    SetHideSelection(true);
    FLayoutPacer = new LayoutPacer(this);
    connect(this, &QTextEdit::textChanged, this, [this] { NoteTextChanged(); });
    connect(this, &QTextEdit::cursorPositionChanged, this, &TRichEdit::KeepCaretParagraphShaped);
}

// The loaded document itself takes the old one's place: a copy of it would hold the window,
// with no progress, for as long again as the load. Owned as the old one was (by the
// control, which deletes it on the next swap), it is laid out lazily: the visible part now,
// the rest in slices while the window is idle.
void TRichEdit::ShowLoaded(std::unique_ptr<QTextDocument> loaded)
{
    QTextDocument *old = document();
    loaded->setUndoRedoEnabled(old->isUndoRedoEnabled());
    loaded->setModified(false);
    loaded->setParent(old->parent());
    // A zoom draws on a device of its own resolution. Set only now: a layout made before
    // the text went in would have laid it out at every piece. A null page size keeps the
    // new layout from laying out the start at no width: the control lays it out at its own.
    loaded->setPageSize(QSizeF(0, 0));
    loaded->documentLayout()->setPaintDevice(old->documentLayout()->paintDevice());
    QTextDocument *doc = loaded.release();
    doc->documentLayout()->installEventFilter(FLayoutPacer);
    setDocument(doc); // deletes the old document, which the control owned
    setTextCursor(QTextCursor(doc));
    emit DocumentReplaced(doc);
}

// Shown only when complete, so a failed or cancelled load leaves the old text.
void TRichEdit::LoadFromBytes(std::string_view bytes)
{
    FTextFormat = {};
    FLoadedDamaged = false;
    auto loaded = std::make_unique<QTextDocument>();
    CopyDocumentSettings(*document(), *loaded);
    loaded->setUndoRedoEnabled(false);
    LoadProgress progress(this);
    if (!FPlainText) {
        RtfReadResult result
            = progress.Aside(std::function<RtfReadResult()>([bytes] { return ReadRtf(bytes); }));
        if (result.status != RtfReadStatus::NotRtf) {
            const bool damaged = result.status == RtfReadStatus::Damaged;
            RichTextBuilder builder(std::move(result.document), *loaded);
            progress.Build(builder);
            ShowLoaded(std::move(loaded));
            FLoadedDamaged = damaged; // only once the load is complete: a cancel changes nothing
            return;
        }
        // Not Rich Text: read the same bytes once more as plain text.
    }
    DecodedText decoded
        = progress.Aside(std::function<DecodedText()>([bytes] { return DecodePlainText(bytes); }));
    PlainTextBuilder builder(decoded.text, *loaded);
    progress.Build(builder);
    ShowLoaded(std::move(loaded));
    FTextFormat = decoded.format;
}

std::string TRichEdit::SaveToBytes() const
{
    return SaveLater()();
}

std::function<std::string()> TRichEdit::SaveLater() const
{
    if (FPlainText) {
        return [text = SavedText(), format = FTextFormat] {
            return TextEncoding::EncodeText(
                std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()),
                                    static_cast<size_t>(text.size())),
                format);
        };
    }
    return [model = RichTextModel(*document())]() mutable {
        NormalizeRtf(model);
        return WriteRtf(model);
    };
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

// The text as a save writes it: without the breaks that a load made in long paragraphs.
QString TRichEdit::SavedText() const
{
    const LoadSplits *splits = LoadSplits::Find(*document());
    if (!splits)
        return Text();
    std::set<int> skipped;
    for (const int start : splits->JoinedBlocks())
        skipped.insert(start - 1);
    return TextBetween(0, document()->characterCount() - 1, skipped);
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
