#include "app/AutoSave.h"

#include "app/RecoverableDocument.h"
#include "dialogs/MessageDialogs.h"
#include "platform/gui/Application.h"
#include "platform/gui/TRichEdit.h"

#include <QAbstractButton>
#include <QDialog>
#include <QEvent>
#include <QFileInfo>
#include <QTextBlock>
#include <functional>
#include <memory>

namespace {

// The first few words of the text, for the question at start.
QString FirstWords(const QTextDocument *doc)
{
    QString text;
    for (QTextBlock b = doc->begin(); b.isValid() && text.size() < 80; b = b.next())
        text += b.text() + ' ';
    const QStringList words = text.simplified().split(' ', Qt::SkipEmptyParts);
    return words.mid(0, 8).join(' ');
}

} // namespace

TAutoSave::TAutoSave(TRecoverableDocument &document, QWidget *window)
    : QObject(window)
    , FDocument(document)
    , FWindow(window)
{
    for (QTimer *timer : { &FTimer, &FTypingTimer }) {
        timer->setSingleShot(true);
        timer->setInterval(PeriodSeconds() * 1000);
        connect(timer, &QTimer::timeout, this, [this] { WriteNow(); });
    }
    connect(document.RichEdit()->document(), &QTextDocument::contentsChanged, this,
            &TAutoSave::Edited);
    connect(document.RichEdit(), &TRichEdit::DocumentReplaced, this, [this](QTextDocument *doc) {
        connect(doc, &QTextDocument::contentsChanged, this, &TAutoSave::Edited);
    });
    window->installEventFilter(this);
}

int TAutoSave::PeriodSeconds()
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("SCRIVLO_AUTOSAVE_SECONDS", &ok);
    return ok && seconds > 0 ? seconds : 30;
}

void TAutoSave::Edited()
{
    FDirty = true;
    FTimer.start(); // restarted by every change: the copy is made in a pause
    if (!FTypingTimer.isActive())
        FTypingTimer.start(); // not restarted: typing without a pause is copied as well
}

bool TAutoSave::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowDeactivate)
        WriteNow();
    return QObject::eventFilter(watched, event);
}

void TAutoSave::WriteNow(bool wait)
{
    TRichEdit *edit = FDocument.RichEdit();
    if (FDirty && edit->Modified()) {
        TRecoveredDocument copy;
        copy.FileName = FDocument.FileName();
        // An untitled document is kept as Rich Text, so its formatting survives.
        copy.PlainText = !copy.FileName.isEmpty() && FDocument.PlainTextFormat();
        copy.FirstWords = FirstWords(edit->document());
        const bool mode = edit->PlainText();
        edit->SetPlainText(copy.PlainText);
        // Only the copy of the document's contents is taken here; the bytes are made and
        // written on the store's thread.
        std::function<std::string()> content = edit->SaveLater();
        edit->SetPlainText(mode);
        FStore.Write(std::move(copy), std::move(content));
        FDirty = false;
        FTimer.stop();
        FTypingTimer.stop();
    }
    if (wait)
        FStore.Flush();
}

void TAutoSave::Forget()
{
    if (FKeep)
        return;
    FTimer.stop();
    FTypingTimer.stop();
    FDirty = false;
    FStore.Remove();
}

bool TAutoSave::OfferKept()
{
    for (const TKeptDocument &kept : FStore.Kept()) {
        QString words = kept.Document.FirstWords;
        if (words.isEmpty())
            words = tr("(no words yet)");
        std::unique_ptr<QDialog> question(
            CreateMessageDialog(tr("Scrivlo kept a story that was not saved: %1…").arg(words),
                                mtConfirmation, Buttons({ mbYes, mbNo })));
        question->setWindowTitle(TApplication::Title());
        auto *restore = question->findChild<QAbstractButton *>("Yes");
        restore->setText(tr("&Restore"));
        restore->setObjectName("Restore");
        auto *discard = question->findChild<QAbstractButton *>("No");
        discard->setText(tr("&Discard"));
        discard->setObjectName("Discard");
        restore->setFocus();
        const int answer = question->exec();
        if (answer == mrNo) {
            FStore.Discard(kept);
            continue;
        }
        if (answer != mrYes)
            continue; // closed without an answer: asked again next time
        // Under its old name only when that file is not newer than the copy.
        const TRecoveredDocument &doc = kept.Document;
        const QFileInfo file(doc.FileName);
        const bool named
            = !doc.FileName.isEmpty() && file.exists() && file.lastModified() <= kept.Written;
        const bool mode = FDocument.RichEdit()->PlainText();
        try {
            FDocument.RestoreDocument(doc.Content, named ? doc.FileName : QString(), doc.PlainText);
        } catch (const std::exception &e) {
            // Cancelled (EAbort, silent) or unreadable: the page is as it was, and the copy
            // stays, to be offered again at the next start.
            FDocument.RichEdit()->SetPlainText(mode);
            TApplication::HandleException(FWindow, e);
            return false;
        }
        // The story is this run's now: its copy is written under this run's name first.
        FDirty = true;
        WriteNow(true);
        FStore.Discard(kept);
        return true;
    }
    return false;
}
