#include "spell/TSpellForm.h"

#include "dialogs/MessageDialogs.h"
#include "dialogs/TBitBtn.h"
#include "dictionary/ChildRanker.h"
#include "dictionary/TDictionary.h"
#include "platform/core/CodePages.h"
#include "platform/core/TStringList.h"
#include "platform/gui/AccessibleRole.h"
#include "platform/gui/AnsiString.h"
#include "platform/gui/Application.h"
#include "platform/gui/TSpeaker.h"
#include "spell/TNewListBox.h"
#include "spell/core/LanguageTables.h"

#include <QCheckBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QToolButton>

namespace {
constexpr int LabelStripWidth = 78;
constexpr int MainWidth = 447;
constexpr int ClientHeight = 223;
constexpr int ExtraWidth = 450; // form width beyond the label strip
constexpr int MaxTextLength = MaxShortString;

// Rows of the suggestion list are 13 pixels high, as the dialog was laid out for.
class RowHeightDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return { QStyledItemDelegate::sizeHint(option, index).width(), 13 };
    }
};

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The labels sit in another panel than their fields, where Qt does not look for a field's
// label: each field takes its label's text, without the access key and the colon, as its
// accessible name.
void NameBuddy(const QLabel *label)
{
    QString name;
    const QString text = label->text();
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] != QLatin1Char('&') || (++i < text.size()))
            name += text[i];
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    label->buddy()->setAccessibleName(name);
}
} // namespace

TSpellForm::TSpellForm(QWidget *owner)
    : TAbsSpellForm(owner)
{
    setObjectName("SpellForm");
    AccessibleRole::Set(this, QAccessible::Dialog); // a plain widget would be a "filler"
    setWindowTitle("Spell Checking...");
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    setFont(font);
    setFixedSize(LabelStripWidth + MainWidth, ClientHeight);
    move(639, 328);

    pnlMain = new QWidget(this);
    pnlMain->setObjectName("pnlMain");
    pnlMain->setGeometry(LabelStripWidth, 0, MainWidth, ClientHeight);

    edtReplace = new QLineEdit(pnlMain);
    edtReplace->setObjectName("edtReplace");
    edtReplace->setGeometry(16, 38, 177, 21);
    edtReplace->setMaxLength(MaxTextLength);
    btnIgnore = MakeButton("btnIgnore", "&Ignore", { 208, 135, 113, 26 }, "spell-ignore");
    btnIgnoreAll
        = MakeButton("btnIgnoreAll", "I&gnore All", { 327, 135, 113, 26 }, "spell-ignore-all");
    btnReplace = MakeButton("btnReplace", "&Replace", { 208, 71, 113, 26 }, "spell-replace");
    btnReplaceAll
        = MakeButton("btnReplaceAll", "Replace &All", { 327, 71, 113, 26 }, "spell-replace-all");
    btnLearn = MakeButton("btnLearn", "&Learn", { 208, 103, 113, 26 }, "spell-learn");
    btnSuggest = MakeButton("btnSuggest", "&Suggest", { 327, 103, 113, 26 }, "spell-suggest");
    lstSuggest = new TNewListBox(pnlMain);
    lstSuggest->setObjectName("lstSuggest");
    lstSuggest->setGeometry(16, 63, 177, 146);
    lstSuggest->setItemDelegate(new RowHeightDelegate(lstSuggest));
    edtBadWord = new QLineEdit(pnlMain);
    edtBadWord->setObjectName("edtBadWord");
    edtBadWord->setGeometry(16, 14, 177, 21);
    edtBadWord->setReadOnly(true);
    btnHelp = MakeButton("btnHelp", "&Help", { 208, 183, 113, 26 }, "spell-help");
    btnCancel = MakeButton("btnCancel", "Cancel", { 327, 184, 113, 25 }, "spell-cancel");
    btnCancel->Cancel = true;
    btnCancel->ModalResult = srCancel;
    Bevel1 = new QFrame(pnlMain);
    Bevel1->setObjectName("Bevel1");
    Bevel1->setGeometry(227, 172, 193, 10);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    pnlAccents = new QFrame(pnlMain);
    pnlAccents->setObjectName("pnlAccents");
    pnlAccents->setGeometry(201, 13, 243, 49);
    pnlAccents->setFrameShape(QFrame::Panel);
    pnlAccents->setFrameShadow(QFrame::Sunken);
    FLastAccent = pnlAccents;

    pnlLabels = new QWidget(this);
    pnlLabels->setObjectName("pnlLabels");
    pnlLabels->setGeometry(0, 0, LabelStripWidth, ClientHeight);
    auto label = [this](const char *name, const char *caption, QPoint at, QWidget *buddy) {
        auto *l = new QLabel(caption, pnlLabels);
        l->setObjectName(name);
        l->move(at);
        l->setBuddy(buddy);
        l->adjustSize();
        NameBuddy(l);
        return l;
    };
    lblSuggestions = label("lblSuggestions", "Suggestions:", { 8, 70 }, lstSuggest);
    lblReplace = label("lblReplace", "Replace With:", { 8, 43 }, edtReplace);
    lblNotFound = label("lblNotFound", "Not Found:", { 8, 19 }, edtBadWord);

    // Tab order: the panel of the controls first, then the label strip.
    QWidget *order[]
        = { edtBadWord, edtReplace, lstSuggest, pnlAccents,   btnReplace, btnReplaceAll,
            btnLearn,   btnSuggest, btnIgnore,  btnIgnoreAll, btnHelp,    btnCancel };
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(btnReplace, &QPushButton::clicked, this, [this] { SetChoice(srReplace); });
    connect(btnReplaceAll, &QPushButton::clicked, this, [this] { SetChoice(srReplaceAll); });
    connect(btnLearn, &QPushButton::clicked, this, [this] { SetChoice(srLearn); });
    connect(btnIgnore, &QPushButton::clicked, this, [this] { SetChoice(srIgnore); });
    connect(btnIgnoreAll, &QPushButton::clicked, this, [this] { SetChoice(srIgnoreAll); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { SetChoice(srCancel); });
    connect(btnSuggest, &QPushButton::clicked, this, [this] { btnSuggestClick(); });
    connect(btnHelp, &QPushButton::clicked, this, [this] { btnHelpClick(); });
    connect(lstSuggest, &QListWidget::itemDoubleClicked, this, [this] { lstSuggestDblClick(); });
    connect(lstSuggest, &TNewListBox::OnChange, this, [this] { lstSuggestChange(); });
    // The list follows the replacement box's text as each edit by the user leaves it;
    // keys that change no text, and the read-only box, leave the list alone.
    connect(edtReplace, &QLineEdit::textEdited, this, [this] { edtReplaceKeyPress(); });

    FormCreate();
}

TBitBtn *TSpellForm::MakeButton(const char *name, const char *caption, QRect bounds,
                                const char *glyph)
{
    auto *button = new TBitBtn(pnlMain);
    button->setObjectName(name);
    button->setText(caption);
    button->setGeometry(bounds);
    button->setIcon(QIcon(QStringLiteral(":/glyphs/%1.svg").arg(glyph)));
    // No button is the default: Enter chooses nothing.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

void TSpellForm::FormCreate()
{
    if (HelpContext == 0)
        btnHelp->hide();
    const int screenWidth = TApplication::ScreenSize().width();
    if (screenWidth > 0)
        move(screenWidth / 2 - width() / 2, y());
}

void TSpellForm::SetLabelLanguage(TLanguages language)
{
    TAbsSpellForm::SetLabelLanguage(language);
    setWindowTitle(FromUtf8(LanguageTables::Caption(language)));
    auto set = [language](QWidget *control, int index) {
        const QString text = FromUtf8(LanguageTables::Label(language, index));
        if (auto *l = qobject_cast<QLabel *>(control)) {
            l->setText(text);
            l->adjustSize();
            NameBuddy(l);
        } else if (auto *b = qobject_cast<QAbstractButton *>(control)) {
            b->setText(text);
        }
    };
    set(lblNotFound, 1);
    set(lblReplace, 2);
    set(lblSuggestions, 3);
    set(btnReplace, 4);
    set(btnReplaceAll, 5);
    set(btnLearn, 6);
    set(btnIgnore, 7);
    set(btnIgnoreAll, 8);
    set(btnSuggest, 9);
    set(btnCancel, 10);
    set(btnHelp, 14);
    // The label just set is an unknown word's; a flagged word's question keeps its own.
    FShownKind = qkUnknownWord;
    ShowQueryKind();
    RelabelSpeech();
    if (isVisible())
        FormShow();
}

void TSpellForm::SetAccentedCharacters(const std::string &chars)
{
    TAbsSpellForm::SetAccentedCharacters(chars);
    if (chars.empty()) {
        const int width = btnReplaceAll->x() + btnReplaceAll->width() - edtBadWord->x();
        edtBadWord->resize(width, edtBadWord->height());
        edtReplace->resize(width, edtReplace->height());
        pnlAccents->hide();
        return;
    }
    pnlAccents->show();
    for (char c : chars) {
        if (c == ' ')
            continue;
        const QChar ch = CodePages::AnsiToUnicode(static_cast<unsigned char>(c));
        auto *button = new QToolButton(pnlAccents);
        button->setText(ch == '&' ? QStringLiteral("&&") : QString(ch));
        button->setGeometry(FNextAccent.x(), FNextAccent.y(), 23, 22);
        if (button->x() + button->width() >= pnlAccents->width()) {
            FNextAccent = { 2, FNextAccent.y() + button->height() + 1 };
            button->move(FNextAccent);
        }
        FNextAccent.setX(button->x() + button->width() + 1);
        connect(button, &QToolButton::clicked, this, [this, ch] { btnAClick(ch); });
        // The accent buttons take the panel's place in the tab order, in reading order.
        setTabOrder(FLastAccent, button);
        FLastAccent = button;
        button->show();
    }
}

int32_t TSpellForm::QueryWord(AnsiText &word, std::unique_ptr<TStringList> suggestions)
{
    TAbsSpellForm::QueryWord(word, nullptr);
    ShowQueryKind();
    const QString shown = FromAnsi(word.str().substr(0, MaxTextLength));
    edtBadWord->setText(shown);
    edtReplace->setText(shown);
    if (suggestions) {
        lstSuggest->clear();
        for (const std::string &entry : *suggestions)
            lstSuggest->addItem(FromAnsi(entry));
        if (suggestions->Count() > 0)
            edtReplace->setText(FromAnsi((*suggestions)[0]));
        suggestions.reset();
    }
    edtReplace->setFocus();
    WaitForChoice();
    if (!isVisible())
        return srCancel;
    const QString answer = Choice == srLearn ? edtBadWord->text() : edtReplace->text();
    FAnswerText = answer.toStdU16String();
    word = ToAnsi(answer);
    return Choice;
}

void TSpellForm::ShowQueryKind()
{
    // A flagged word is known: it is neither learned nor changed everywhere.
    btnLearn->setEnabled(QueryKind == qkUnknownWord);
    btnReplaceAll->setEnabled(QueryKind == qkUnknownWord);
    if (QueryKind == FShownKind)
        return; // the label an unknown word has is the language's own, left as it is
    FShownKind = QueryKind;
    lblNotFound->setText(FromUtf8(LanguageTables::QueryLabel(LabelLanguage, QueryKind)));
    lblNotFound->adjustSize();
    NameBuddy(lblNotFound);
    if (isVisible())
        FormShow();
}

void TSpellForm::FillList(std::unique_ptr<TStringList> list)
{
    lstSuggest->clear();
    if (!list)
        return;
    for (const std::string &entry : *list)
        lstSuggest->addItem(FromAnsi(entry));
}

void TSpellForm::edtReplaceKeyPress()
{
    if (!Dictionary)
        return;
    const AnsiText prefix = ToAnsi(edtReplace->text().left(MaxTextLength));
    FillList(Ranker ? Ranker->WordsStartingWith(prefix, MaxSuggestions)
                    : Dictionary->WordsStartingWith(prefix, MaxSuggestions));
}

void TSpellForm::btnSuggestClick()
{
    if (!Dictionary)
        return;
    const AnsiText word = ToAnsi(edtReplace->text().left(MaxTextLength));
    FillList(Ranker ? Ranker->Suggest(word, MaxSuggestions)
                    : Dictionary->Suggest(word, MaxSuggestions));
}

void TSpellForm::btnHelpClick()
{
    if (HelpHook)
        HelpHook(HelpContext);
}

void TSpellForm::lstSuggestDblClick()
{
    if (lstSuggest->currentItem() && lstSuggest->currentItem()->isSelected())
        SetChoice(srReplace);
}

void TSpellForm::lstSuggestChange()
{
    if (QListWidgetItem *item = lstSuggest->currentItem())
        edtReplace->setText(item->text());
}

// The speech controls speak the language of the other labels.
void TSpellForm::RelabelSpeech()
{
    if (!btnListen)
        return;
    const bool spanish = LabelLanguage == lgSpanish;
    const QString listen = spanish ? QStringLiteral("Escuchar") : QStringLiteral("Listen");
    btnListen->setToolTip(FSpeaker->Available() ? listen + " (Alt+L)"
                                                : FSpeaker->MissingVoiceHint());
    btnListen->setAccessibleName(listen);
    chkSpeak->setText(spanish ? QStringLiteral("Decir las\nsugerencias")
                              : QStringLiteral("Speak\nsuggestions"));
    chkSpeak->setAccessibleName(spanish ? QStringLiteral("Decir las sugerencias")
                                        : QStringLiteral("Speak suggestions"));
    chkSpeak->adjustSize();
}

void TSpellForm::EnableSpeech(TSpeaker *speaker, bool speakSuggestions,
                              std::function<void(bool)> onSpeakToggled)
{
    if (btnListen || !speaker)
        return;
    FSpeaker = speaker;
    btnListen = new QToolButton(pnlLabels);
    btnListen->setObjectName("btnListen");
    btnListen->setIcon(QIcon(":/glyphs/speaker.svg"));
    btnListen->setIconSize({ 20, 20 });
    btnListen->setGeometry(8, 96, 30, 28);
    btnListen->setShortcut(QKeySequence("Alt+L"));
    btnListen->setEnabled(speaker->Available());
    chkSpeak = new QCheckBox(pnlLabels);
    chkSpeak->setObjectName("chkSpeak");
    chkSpeak->setChecked(speakSuggestions);
    chkSpeak->setEnabled(speaker->Available());
    chkSpeak->move(4, 132);
    RelabelSpeech();
    btnListen->show();
    chkSpeak->show();
    // They sit left of the suggestion list and speak it: the keyboard reaches them next.
    setTabOrder(lstSuggest, btnListen);
    setTabOrder(btnListen, chkSpeak);
    connect(btnListen, &QToolButton::clicked, this, [this] { btnListenClick(); });
    connect(chkSpeak, &QCheckBox::toggled, this, [onSpeakToggled](bool on) {
        if (onSpeakToggled)
            onSpeakToggled(on);
    });
    connect(lstSuggest, &QListWidget::currentRowChanged, this, [this] {
        // Only a choice made with the keys in the list is said, not the list being filled.
        if (chkSpeak->isChecked() && lstSuggest->hasFocus() && lstSuggest->currentItem())
            FSpeaker->Say(lstSuggest->currentItem()->text());
    });
}

void TSpellForm::btnListenClick()
{
    QListWidgetItem *item = lstSuggest->currentItem();
    FSpeaker->Say(item && item->isSelected() ? item->text() : edtReplace->text());
}

void TSpellForm::btnAClick(QChar ch)
{
    edtReplace->insert(QString(ch));
}

void TSpellForm::FormShow()
{
    int w = lblNotFound->width();
    for (QLabel *l : pnlLabels->findChildren<QLabel *>()) {
        l->adjustSize();
        w = std::max(w, l->width());
    }
    pnlLabels->resize(w + 10, ClientHeight);
    setFixedSize(pnlLabels->width() + ExtraWidth, ClientHeight);
}

void TSpellForm::resizeEvent(QResizeEvent *event)
{
    TAbsSpellForm::resizeEvent(event);
    // The label strip keeps the left edge; the controls fill the rest.
    pnlMain->setGeometry(pnlLabels->width(), 0, width() - pnlLabels->width(), height());
}

void TSpellForm::showEvent(QShowEvent *event)
{
    FormShow();
    TAbsSpellForm::showEvent(event);
}

void TSpellForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        btnCancel->click();
        return;
    }
    TAbsSpellForm::keyPressEvent(event);
}
