#include "app/TAboutForm.h"

#include "widgets/TPicBitBtn.h"
#include "widgets/TPicCommon.h"
#include "widgets/TPicURLLabel.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QLabel>

namespace {

const QColor Navy(0, 0, 128);
const QColor DarkBlue(0, 0, 160);

QFont TimesBold(int pixelSize)
{
    QFont font("Times New Roman");
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// A picture drawn at its own size from the top-left corner of its box, cut to the box.
void AddPicture(QWidget *parent, const char *name, const char *file, const QRect &box,
                QSize picture)
{
    auto *image = new QLabel(parent);
    image->setObjectName(name);
    image->setGeometry(box);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image->setPixmap(TPicCommon::Svg(QString(":/pictures/%1.svg").arg(file), picture));
}

} // namespace

const QString TAboutForm::WebAddress = "https://scrivlo.example/";

TAboutForm::TAboutForm(QWidget *parent)
    : TFixedForm(QString(), QSize(303, 320), QApplication::palette().color(QPalette::WindowText),
                 parent)
{
    setObjectName("AboutForm");

    AddLabel(this, "Scrivlo", QRect(65, -2, 173, 37), 33, DarkBlue)->setObjectName("LTitle");

    auto *panel2 = new QWidget(this);
    panel2->setObjectName("Panel2");
    panel2->setGeometry(11, 40, 281, 113);
    panel2->setAutoFillBackground(true);
    QPalette white = panel2->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel2->setPalette(white);
    AddPicture(panel2, "Image1", "about-crayons", QRect(0, 8, 105, 97), QSize(100, 100));
    AddPicture(panel2, "Image3", "about-smile", QRect(103, 16, 79, 81), QSize(75, 75));
    AddPicture(panel2, "Image2", "about-book", QRect(180, 7, 105, 97), QSize(100, 100));

    AddTranslatedLabel(QT_TR_NOOP("\u00a9 2026 The Scrivlo team"), QRect(35, 163, 232, 19), 16);
    AddTranslatedLabel(QT_TR_NOOP("Version %1"), QRect(114, 185, 76, 19), 16);

    FURLLabel = new TPicURLLabel(this);
    FURLLabel->setObjectName("URLLabel");
    FURLLabel->setFont([] {
        QFont font = TimesBold(16);
        font.setUnderline(true);
        return font;
    }());
    FURLLabel->SetShowAccelChar(false);
    FURLLabel->SetCaption("scrivlo.example"); // the address, without its scheme
    FURLLabel->SetURL(WebAddress);
    FURLLabel->SetFlyByEnabled(true);
    FURLLabel->SetUnvisitedColor(Navy);
    FURLLabel->SetVisitedColor(QColor(128, 0, 128));
    PlaceCentred(FURLLabel, QRect(100, 205, 103, 19));

    AddTranslatedLabel(QT_TR_NOOP("Made for young writers"), QRect(67, 237, 169, 19), 16);
    AddTranslatedLabel(QT_TR_NOOP("Have fun with words!"), QRect(39, 257, 225, 17), 15)
        ->setObjectName("Label1");

    auto *panel1 = new QWidget(this);
    panel1->setObjectName("Panel1");
    panel1->setGeometry(0, 279, 303, 41);
    panel1->setAutoFillBackground(true);
    QPalette dark = panel1->palette();
    dark.setColor(QPalette::Window, DarkBlue);
    panel1->setPalette(dark);

    FBClose = new TPicBitBtn(panel1);
    FBClose->setObjectName("BClose");
    FBClose->setGeometry(114, 8, 75, 25);
    Retranslate();
    FBClose->setFont(TimesBold(16));
    FBClose->SetFontColor(Navy);
    FBClose->SetColor(WindowColour);
    FBClose->SetGlyph(TPicCommon::Svg(":/pictures/about-close.svg"));
    FBClose->SetModalResult(1);
    FBClose->SetShowFocusRect(false);
    FBClose->SetTabStop(false);
}

void TAboutForm::SetKeyboardClose(bool on)
{
    SetEscapeCloses(on);
    FBClose->SetTabStop(on);
    FBClose->SetShowFocusRect(on);
}

QLabel *TAboutForm::AddTranslatedLabel(const char *source, const QRect &bounds, int pixelSize)
{
    QLabel *label = AddLabel(this, QString(), bounds, pixelSize, Navy);
    FTranslated.push_back({ label, source, bounds });
    return label;
}

void TAboutForm::Retranslate()
{
    setWindowTitle(tr("About"));
    for (const TTranslatedLabel &t : FTranslated) {
        const QString text = tr(t.Source);
        // The version is the build's own, the one --version gives.
        t.Label->setText(text.contains("%1") ? text.arg(SCRIVLO_VERSION) : text);
        PlaceCentred(t.Label, t.Designed);
    }
    FBClose->SetCaption(tr("&Close"));
}

void TAboutForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    TFixedForm::changeEvent(event);
}

QLabel *TAboutForm::AddLabel(QWidget *parent, const QString &text, const QRect &bounds,
                             int pixelSize, const QColor &colour)
{
    auto *label = new QLabel(text, parent);
    label->setFont(TimesBold(pixelSize));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    label->setTextFormat(Qt::PlainText);
    PlaceCentred(label, bounds);
    return label;
}

void TAboutForm::PlaceCentred(QWidget *label, const QRect &designed)
{
    // Each label is as wide as its text and keeps the horizontal centre of its designed
    // box, so texts of any length stay centred in the window and are never cut.
    const int width = label->sizeHint().width();
    label->setGeometry(designed.left() + (designed.width() - width) / 2, designed.top(), width,
                       designed.height());
}
