#include "app/ReadAloud.h"

#include "platform/gui/TRichEdit.h"
#include "platform/gui/TSpeaker.h"

#include <QAction>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextCursor>

ReadAloud::ReadAloud(TRichEdit *edit, TSpeaker &speaker, QAction *readAloud,
                     QAction *readEverything, QWidget *window)
    : QObject(window)
    , FEdit(edit)
    , FSpeaker(speaker)
    , FReadAloud(readAloud)
    , FReadEverything(readEverything)
    , FEscape(new QShortcut(QKeySequence(Qt::Key_Escape), window))
    , FCaption(readAloud->text())
{
    const bool available = speaker.Available();
    for (QAction *a : { readAloud, readEverything }) {
        a->setEnabled(available);
        if (!available)
            a->setToolTip(speaker.MissingVoiceHint());
    }
    FEscape->setEnabled(false); // Escape belongs to the page unless something is being read
    connect(readAloud, &QAction::triggered, this, &ReadAloud::ReadOrStop);
    connect(readEverything, &QAction::triggered, this, &ReadAloud::ReadEverything);
    connect(FEscape, &QShortcut::activated, &speaker, &TSpeaker::Stop);
    connect(&speaker, &TSpeaker::SpeakingChanged, this, &ReadAloud::SpeakingChanged);
}

QString ReadAloud::SentenceAt(const QTextCursor &cursor)
{
    const QString text = cursor.block().text();
    int pos = cursor.positionInBlock();
    if (pos == text.size() && pos > 0)
        --pos; // at the end of the paragraph: the sentence just written
    QTextBoundaryFinder finder(QTextBoundaryFinder::Sentence, text);
    finder.setPosition(pos);
    const int start = finder.isAtBoundary() ? pos : finder.toPreviousBoundary();
    finder.setPosition(pos);
    const int end = finder.toNextBoundary();
    return text.mid(std::max(start, 0), (end < 0 ? text.size() : end) - std::max(start, 0))
        .trimmed();
}

void ReadAloud::ReadOrStop()
{
    if (FSpeaker.Speaking()) {
        FSpeaker.Stop();
        return;
    }
    const QTextCursor cursor = FEdit->textCursor();
    // The selection as the page shows it: paragraph breaks become new lines.
    QString text = cursor.hasSelection() ? cursor.selectedText() : SentenceAt(cursor);
    text.replace(QChar::ParagraphSeparator, QChar('\n'));
    FSpeaker.Say(text);
}

void ReadAloud::ReadEverything()
{
    QTextCursor cursor = FEdit->textCursor();
    cursor.clearSelection();
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    FSpeaker.Say(cursor.selectedText().replace(QChar::ParagraphSeparator, QChar('\n')));
}

void ReadAloud::SpeakingChanged(bool speaking)
{
    // The caption is taken when reading starts: the language may have changed since.
    if (speaking && FReadAloud->text() != tr("S&top Reading"))
        FCaption = FReadAloud->text();
    FReadAloud->setText(speaking ? tr("S&top Reading") : FCaption);
    FEscape->setEnabled(speaking);
}
