#include "app/THelpForm.h"

#include "platform/gui/TRichEdit.h"

#include <QEvent>

namespace {

// The help text, one designed line a line (trailing blanks belong to it).
const char *const HelpSource = QT_TRANSLATE_NOOP("THelpForm",
                                                 "Scrivlo is a basic text editor for kids that \n"
                                                 "allows them to create simple documents. In \n"
                                                 "Scrivlo kids can view or edit text (.txt) \n"
                                                 "and (.rtf) files.  You can also save your \n"
                                                 "documents in (.txt) or (.rtf) formats. \n"
                                                 "\n"
                                                 "To change the font style and size\n"
                                                 "\n"
                                                 "1. On the Format menu, click Font. \n"
                                                 "2. Make your selections in Font, Font style\n"
                                                 "and Size. ");

// What a child or a parent needs to know, after the designed text.
const char *const GuideSource = QT_TRANSLATE_NOOP(
    "THelpForm",
    "Spelling while you type\n"
    "A red wavy line under a word means Scrivlo does not know it. Right-click the word, "
    "or press the Menu key, to see the words you may have meant, and click the right one.\n"
    "\n"
    "Checking the whole story: F7\n"
    "Press F7. For each word Scrivlo does not know, pick a word in the list and click "
    "Change, or click Ignore to leave the word as it is. Add teaches Scrivlo a word that is "
    "right.\n"
    "\n"
    "Reading aloud: F8\n"
    "Press F8 to hear the sentence where you are writing, or the words you selected. F8 or "
    "Escape stops. In the spelling window the speaker button says the word.\n"
    "\n"
    "Saving and getting work back\n"
    "Press Ctrl+S, type a name and press Enter. Ctrl+O opens a story again. If the computer "
    "stops before you save, Scrivlo offers your story back the next time it starts: click "
    "Restore.\n"
    "\n"
    "Keys\n"
    "Ctrl+N: a new story\n"
    "Ctrl+O, Ctrl+S, Ctrl+P: open, save, print\n"
    "Ctrl+Z, Ctrl+Y: undo, redo\n"
    "Ctrl+B, Ctrl+I, Ctrl+U: bold, italic, underline\n"
    "Ctrl+plus, Ctrl+minus: a bigger or smaller page\n"
    "F10: the menus\n"
    "F1: this help; Escape closes it");

} // namespace

const QStringList THelpForm::HelpLines = QString(HelpSource).split('\n');

THelpForm::THelpForm(QWidget *parent)
    : TFixedForm(QString(), QSize(303, 423), Qt::black, parent)
{
    setObjectName("HelpForm");
    FRichEdit1 = new TRichEdit(this);
    FRichEdit1->setObjectName("RichEdit1");
    FRichEdit1->setGeometry(7, 8, 289, 385);
    FRichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FRichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FRichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    QFont font("Times New Roman");
    font.setPixelSize(16);
    FRichEdit1->setFont(font);
    FRichEdit1->document()->setDefaultFont(font);
    QPalette pal = FRichEdit1->palette();
    pal.setColor(QPalette::Text, Qt::black);
    FRichEdit1->setPalette(pal);
    Retranslate();
}

void THelpForm::SetGuide(bool on)
{
    FGuide = on;
    SetEscapeCloses(on);
    FRichEdit1->setReadOnly(on);
    // Read-only, the page still takes the arrow and page keys to scroll and select.
    if (on)
        FRichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse
                                            | Qt::TextSelectableByKeyboard);
    FRichEdit1->setVerticalScrollBarPolicy(on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    FRichEdit1->SetModified(false);
    Retranslate();
}

void THelpForm::Retranslate()
{
    setWindowTitle(tr("Help"));
    FRichEdit1->setAccessibleName(tr("Help")); // what a screen reader calls the text
    // What the user typed into the page stays; an untouched page shows the new language.
    if (FRichEdit1->Modified())
        return;
    FRichEdit1->setPlainText(FGuide ? tr(HelpSource) + "\n\n" + tr(GuideSource) : tr(HelpSource));
    FRichEdit1->SetModified(false);
}

void THelpForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    TFixedForm::changeEvent(event);
}
