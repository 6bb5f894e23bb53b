#include "app/FindDialog.h"

#include "dialogs/MessageDialogs.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>

namespace {

QTextDocument::FindFlags Flags(const TFindOptions &options)
{
    QTextDocument::FindFlags flags;
    if (options.MatchCase)
        flags |= QTextDocument::FindCaseSensitively;
    if (options.WholeWords)
        flags |= QTextDocument::FindWholeWords;
    return flags;
}

void Inform(const QString &text)
{
    MessageDlg(text, mtInformation, Buttons({ mbOK }), 0);
}

} // namespace

TFindResult FindText(QTextEdit *edit, const TFindOptions &options)
{
    if (options.Text.isEmpty())
        return TFindResult::NotFound;
    QTextDocument *doc = edit->document();
    TFindResult result = TFindResult::Found;
    QTextCursor found = doc->find(options.Text, edit->textCursor(), Flags(options));
    if (found.isNull()) {
        result = TFindResult::FoundAfterWrap;
        found = doc->find(options.Text, QTextCursor(doc), Flags(options));
    }
    if (found.isNull())
        return TFindResult::NotFound;
    edit->setTextCursor(found);
    return result;
}

int ReplaceAllText(QTextEdit *edit, const TFindOptions &options, const QString &replacement)
{
    if (options.Text.isEmpty())
        return 0;
    QTextDocument *doc = edit->document();
    QTextCursor block(doc);
    block.beginEditBlock();
    int count = 0;
    for (QTextCursor found = doc->find(options.Text, 0, Flags(options)); !found.isNull();
         found = doc->find(options.Text, found, Flags(options))) {
        found.insertText(replacement);
        ++count;
    }
    block.endEditBlock();
    return count;
}

TFindDialog::TFindDialog(QTextEdit *edit, QWidget *parent)
    : TFixedForm(QString(), QSize(380, 118), Qt::black, parent)
    , FEdit(edit)
{
    setObjectName("FindForm");
    setModal(false);
    auto *grid = new QGridLayout(this);
    FFindLabel = new QLabel(this);
    FFindText = new QLineEdit(this);
    FFindText->setObjectName("edtFind");
    FFindLabel->setBuddy(FFindText);
    FReplaceLabel = new QLabel(this);
    FReplaceText = new QLineEdit(this);
    FReplaceText->setObjectName("edtReplaceWith");
    FReplaceLabel->setBuddy(FReplaceText);
    FMatchCase = new QCheckBox(this);
    FMatchCase->setObjectName("chkMatchCase");
    FWholeWords = new QCheckBox(this);
    FWholeWords->setObjectName("chkWholeWords");

    FFindButton = new QPushButton(this);
    FFindButton->setObjectName("btnFindNext");
    FReplaceButton = new QPushButton(this);
    FReplaceButton->setObjectName("btnReplace");
    FReplaceAllButton = new QPushButton(this);
    FReplaceAllButton->setObjectName("btnReplaceAll");
    FCloseButton = new QPushButton(this);
    FCloseButton->setObjectName("btnClose");
    Retranslate();

    grid->addWidget(FFindLabel, 0, 0);
    grid->addWidget(FFindText, 0, 1);
    grid->addWidget(FReplaceLabel, 1, 0);
    grid->addWidget(FReplaceText, 1, 1);
    grid->addWidget(FMatchCase, 2, 0, 1, 2);
    grid->addWidget(FWholeWords, 3, 0, 1, 2);
    grid->addWidget(FFindButton, 0, 2);
    grid->addWidget(FReplaceButton, 1, 2);
    grid->addWidget(FReplaceAllButton, 2, 2);
    grid->addWidget(FCloseButton, 3, 2);

    connect(FFindButton, &QPushButton::clicked, this, &TFindDialog::FindNext);
    connect(FReplaceButton, &QPushButton::clicked, this, &TFindDialog::Replace);
    connect(FReplaceAllButton, &QPushButton::clicked, this, &TFindDialog::ReplaceAll);
    connect(FCloseButton, &QPushButton::clicked, this, &QDialog::hide);
}

void TFindDialog::Retranslate()
{
    setWindowTitle(FReplaceMode ? tr("Replace") : tr("Find"));
    FFindLabel->setText(tr("Fi&nd what:"));
    FReplaceLabel->setText(tr("Re&place with:"));
    FMatchCase->setText(tr("Match &case"));
    FWholeWords->setText(tr("&Whole words only"));
    FFindButton->setText(tr("&Find Next"));
    FReplaceButton->setText(tr("&Replace"));
    FReplaceAllButton->setText(tr("Replace &All"));
    FCloseButton->setText(tr("Close"));
}

void TFindDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    TFixedForm::changeEvent(event);
}

void TFindDialog::ShowFind()
{
    Show(false);
}

void TFindDialog::ShowReplace()
{
    Show(true);
}

void TFindDialog::Show(bool replace)
{
    FReplaceMode = replace;
    Retranslate();
    for (QWidget *w :
         { static_cast<QWidget *>(FReplaceLabel), static_cast<QWidget *>(FReplaceText),
           static_cast<QWidget *>(FReplaceButton), static_cast<QWidget *>(FReplaceAllButton) })
        w->setVisible(replace);
    // A word selected on the page is what the child most likely wants to find.
    const QString selected = FEdit->textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        FFindText->setText(selected);
    show();
    raise();
    activateWindow();
    FFindText->setFocus();
    FFindText->selectAll();
}

TFindOptions TFindDialog::Options() const
{
    return { FFindText->text(), FMatchCase->isChecked(), FWholeWords->isChecked() };
}

void TFindDialog::FindNext()
{
    if (FFindText->text().isEmpty()) {
        ShowFind();
        return;
    }
    switch (FindText(FEdit, Options())) {
    case TFindResult::Found:
        break;
    case TFindResult::FoundAfterWrap:
        Inform(tr("Scrivlo reached the end of the story and went on from the start."));
        break;
    case TFindResult::NotFound:
        Inform(tr("Scrivlo cannot find \"%1\".").arg(FFindText->text()));
        break;
    }
}

void TFindDialog::Replace()
{
    // The selection is replaced only when it is what is being searched for.
    const TFindOptions options = Options();
    QTextCursor selection = FEdit->textCursor();
    const Qt::CaseSensitivity cs = options.MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (selection.hasSelection() && selection.selectedText().compare(options.Text, cs) == 0)
        selection.insertText(FReplaceText->text());
    FindNext();
}

void TFindDialog::ReplaceAll()
{
    const int count = ReplaceAllText(FEdit, Options(), FReplaceText->text());
    if (count == 0)
        Inform(tr("Scrivlo cannot find \"%1\".").arg(FFindText->text()));
    else
        Inform(count == 1 ? tr("Scrivlo replaced 1 word.")
                          : tr("Scrivlo replaced %1 words.").arg(count));
}

void TFindDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        FindNext();
        return;
    case Qt::Key_Escape:
        hide();
        return;
    default:
        TFixedForm::keyPressEvent(event);
    }
}
