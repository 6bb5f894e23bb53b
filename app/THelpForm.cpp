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

void THelpForm::Retranslate()
{
    setWindowTitle(tr("Help"));
    // What the user typed into the page stays; an untouched page shows the new language.
    if (FRichEdit1->Modified())
        return;
    FRichEdit1->setPlainText(tr(HelpSource));
    FRichEdit1->SetModified(false);
}

void THelpForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    TFixedForm::changeEvent(event);
}
