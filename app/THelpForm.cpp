#include "app/THelpForm.h"

#include "platform/gui/TRichEdit.h"

const QStringList THelpForm::HelpLines = {
    "Scrivlo is a basic text editor for kids that ",
    "allows them to create simple documents. In ",
    "Scrivlo kids can view or edit text (.txt) ",
    "and (.rtf) files.  You can also save your ",
    "documents in (.txt) or (.rtf) formats. ",
    "",
    "To change the font style and size",
    "",
    "1. On the Format menu, click Font. ",
    "2. Make your selections in Font, Font style",
    "and Size. ",
};

THelpForm::THelpForm(QWidget *parent)
    : TFixedForm("Help", QSize(303, 423), Qt::black, parent)
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
    FRichEdit1->setPlainText(HelpLines.join('\n'));
    FRichEdit1->SetModified(false);
}
