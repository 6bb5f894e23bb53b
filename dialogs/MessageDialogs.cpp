#include "dialogs/MessageDialogs.h"

#include "dialogs/TBitBtn.h"
#include "platform/gui/Application.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <array>
#include <memory>
#include <stdexcept>

std::function<void(int)> HelpHook;
std::function<void()> DialogBuildProbe;

namespace {

struct ButtonInfo
{
    const char *name;
    const char *caption;
    int result;
    TBitBtnKind kind;
    int extraWidth;
};
constexpr std::array<ButtonInfo, 11> ButtonTable = { {
    { "Yes", QT_TRANSLATE_NOOP("MessageDialogs", "&Yes"), mrYes, bkYes, 0 },
    { "No", QT_TRANSLATE_NOOP("MessageDialogs", "&No"), mrNo, bkNo, 0 },
    { "OK", QT_TRANSLATE_NOOP("MessageDialogs", "OK"), mrOk, bkOK, 0 },
    { "Cancel", QT_TRANSLATE_NOOP("MessageDialogs", "Cancel"), mrCancel, bkCancel, 0 },
    { "Abort", QT_TRANSLATE_NOOP("MessageDialogs", "&Abort"), mrAbort, bkAbort, 0 },
    { "Retry", QT_TRANSLATE_NOOP("MessageDialogs", "&Retry"), mrRetry, bkRetry, 0 },
    { "Ignore", QT_TRANSLATE_NOOP("MessageDialogs", "&Ignore"), mrIgnore, bkIgnore, 0 },
    { "All", QT_TRANSLATE_NOOP("MessageDialogs", "&All"), mrAll, bkAll, 0 },
    { "NoToAll", QT_TRANSLATE_NOOP("MessageDialogs", "N&o to All"), mrNoToAll, bkNo, 4 },
    { "YesToAll", QT_TRANSLATE_NOOP("MessageDialogs", "Yes to &All"), mrYesToAll, bkYes, 4 },
    { "Help", QT_TRANSLATE_NOOP("MessageDialogs", "&Help"), mrNone, bkHelp, 0 },
} };

// Caption widths, measured the first time a button is laid out in the current language.
std::array<int, 11> CaptionWidths {};
std::array<QString, 11> MeasuredCaptions;

QString Translated(const char *text)
{
    return QCoreApplication::translate("MessageDialogs", text);
}

int MulDiv(int a, int b, int c)
{
    return int((int64_t(a) * b + c / 2) / c);
}

const char *TypeCaption(TMsgDlgType type)
{
    switch (type) {
    case mtWarning:
        return QT_TRANSLATE_NOOP("MessageDialogs", "Warning");
    case mtError:
        return QT_TRANSLATE_NOOP("MessageDialogs", "Error");
    case mtInformation:
        return QT_TRANSLATE_NOOP("MessageDialogs", "Information");
    case mtConfirmation:
        return QT_TRANSLATE_NOOP("MessageDialogs", "Confirm");
    default:
        return nullptr;
    }
}

class TMessageForm : public QDialog
{
public:
    using QDialog::QDialog;
    TBitBtn *CancelButton = nullptr;
    int HelpContext = 0;
    int CloseResult = mrCancel; // closing without a button: 2 when modal, 0 on top

    // Caption, message and button captions, as the clipboard copy shows them.
    QString CopyText() const
    {
        const QString dashes(27, '-');
        QString buttons;
        const auto list = findChildren<TBitBtn *>();
        for (auto it = list.rbegin(); it != list.rend(); ++it)
            buttons += QString((*it)->text()).remove('&') + "   ";
        const QString message = findChild<QLabel *>("Message")->text();
        return dashes + "\r\n" + windowTitle() + "\r\n" + dashes + "\r\n" + message + "\r\n"
            + dashes + "\r\n" + buttons + "\r\n" + dashes + "\r\n";
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->matches(QKeySequence::Copy)) {
            QApplication::beep();
            QApplication::clipboard()->setText(CopyText());
            return;
        }
        if (event->key() == Qt::Key_Escape) {
            if (CancelButton)
                CancelButton->click();
            return;
        }
        QDialog::keyPressEvent(event);
    }
    void reject() override { done(CloseResult); } // closed without a button
};

} // namespace

QString DoubleAmpersands(const QString &text)
{
    QString out = text;
    for (int i = out.size() - 1; i >= 0; --i) {
        if (out[i] == '&')
            out.insert(i, '&');
    }
    return out;
}

QDialog *CreateMessageDialog(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    auto *form
        = new TMessageForm(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    form->setLayoutDirection(QApplication::layoutDirection());
    form->setFont(QApplication::font("QMessageBox"));
    const QFontMetrics fm(form->font());

    const QString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const int cx = fm.horizontalAdvance(letters) / 52;
    const int cy = fm.height();
    const int hMargin = MulDiv(8, cx, 4), vMargin = MulDiv(8, cy, 8);
    const int hSpacing = MulDiv(10, cx, 4), vSpacing = MulDiv(10, cy, 8);
    const int buttonHeight = MulDiv(14, cy, 8), buttonSpacing = MulDiv(4, cx, 4);
    int buttonWidth = MulDiv(50, cx, 4);

    int count = 0;
    for (size_t b = 0; b < ButtonTable.size(); ++b) {
        if (!(buttons & (1u << b)))
            continue;
        ++count;
        const QString caption = Translated(ButtonTable[b].caption);
        if (CaptionWidths[b] == 0 || MeasuredCaptions[b] != caption) {
            CaptionWidths[b] = fm.horizontalAdvance(QString(caption).remove('&')) + 8;
            MeasuredCaptions[b] = caption;
        }
        buttonWidth = std::max(buttonWidth, CaptionWidths[b]);
    }

    const int screenWidth = TApplication::ScreenSize().width();
    // The message is shown as given: a label draws "&" as itself.
    const QRect textRect
        = fm.boundingRect(QRect(0, 0, screenWidth / 2, 0), Qt::TextWordWrap | Qt::TextExpandTabs,
                          QString(text).replace("&&", "&"));
    int iconTextWidth = textRect.width(), iconTextHeight = textRect.height();
    const bool hasIcon = type != mtCustom;
    if (hasIcon) {
        iconTextWidth += hSpacing + 32;
        iconTextHeight = std::max(iconTextHeight, 32);
    }
    const int groupWidth = count ? count * buttonWidth + (count - 1) * buttonSpacing : 0;
    const int clientWidth = std::max(iconTextWidth, groupWidth) + 2 * hMargin;
    const int clientHeight = iconTextHeight + buttonHeight + vSpacing + 2 * vMargin;
    form->setFixedSize(clientWidth, clientHeight);
    const QSize screen = TApplication::ScreenSize();
    form->move(screen.width() / 2 - clientWidth / 2, screen.height() / 2 - clientHeight / 2);
    form->setWindowTitle(TypeCaption(type) ? Translated(TypeCaption(type)) : TApplication::Title());

    if (hasIcon) {
        const QStyle::StandardPixmap icons[]
            = { QStyle::SP_MessageBoxWarning, QStyle::SP_MessageBoxCritical,
                QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxQuestion };
        auto *image = new QLabel(form);
        image->setObjectName("Image");
        image->setPixmap(form->style()->standardIcon(icons[type]).pixmap(32, 32));
        image->setGeometry(hMargin, vMargin, 32, 32);
    }
    auto *message = new QLabel(QString(text).replace("&&", "&"), form);
    message->setObjectName("Message");
    message->setWordWrap(true);
    message->setTextFormat(Qt::PlainText);
    int x = iconTextWidth - textRect.width() + hMargin;
    if (form->layoutDirection() == Qt::RightToLeft)
        x = clientWidth - x - textRect.width();
    message->setGeometry(x, vMargin, textRect.width(), textRect.height());

    // The buttons, left to right, each with its glyph; they grow downward to at least 25.
    const int defaultIndex = (buttons & (1u << mbOK)) ? mbOK
        : (buttons & (1u << mbYes))                   ? mbYes
                                                      : mbRetry;
    const int cancelIndex = (buttons & (1u << mbCancel)) ? mbCancel
        : (buttons & (1u << mbNo))                       ? mbNo
                                                         : mbOK;
    int bx = (clientWidth - groupWidth) / 2;
    const int by = iconTextHeight + vMargin + vSpacing;
    for (size_t b = 0; b < ButtonTable.size(); ++b) {
        if (!(buttons & (1u << b)))
            continue;
        const ButtonInfo &info = ButtonTable[b];
        auto *button = new TBitBtn(form);
        button->setObjectName(info.name);
        button->setText(Translated(info.caption));
        button->ModalResult = info.result;
        button->SetKind(info.kind);
        button->setGeometry(bx, by, buttonWidth + info.extraWidth, std::max(25, buttonHeight));
        button->setDefault(int(b) == defaultIndex);
        // No and No to all never answer Escape.
        if (int(b) == cancelIndex && info.result != mrNo && info.result != mrNoToAll) {
            button->Cancel = true;
            form->CancelButton = button;
        }
        QObject::connect(button, &QPushButton::clicked, form, [form, button] {
            if (button->ModalResult == mrNone) {
                if (HelpHook)
                    HelpHook(form->HelpContext);
                return;
            }
            form->done(button->ModalResult);
        });
        bx += buttonWidth + buttonSpacing;
    }
    return form;
}

int MessageDlg(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext)
{
    std::unique_ptr<QDialog> form(CreateMessageDialog(text, type, buttons));
    static_cast<TMessageForm *>(form.get())->HelpContext = helpContext;
    return form->exec();
}

int CustomMessageDlg(const QString &text, const QString &caption, TMsgDlgType type,
                     TMsgDlgButtons buttons, int helpContext, int fallbackStyle,
                     bool useDefaultButton, TMsgDlgBtn defaultButton, bool modal)
{
    try {
        if (helpContext != 0)
            buttons |= TMsgDlgButtons(1u << mbHelp);
        if (DialogBuildProbe)
            DialogBuildProbe();
        std::unique_ptr<QDialog> owned(CreateMessageDialog(DoubleAmpersands(text), type, buttons));
        auto *form = static_cast<TMessageForm *>(owned.get());
        form->setWindowTitle(caption);
        form->HelpContext = helpContext;
        const auto list = form->findChildren<TBitBtn *>();
        TBitBtn *focus = list.isEmpty() ? nullptr : list.first();
        if (useDefaultButton) {
            for (TBitBtn *b : list) {
                if (b->ModalResult == ButtonTable[defaultButton].result) {
                    focus = b;
                    break;
                }
            }
        }
        if (focus)
            focus->setFocus();
        if (modal)
            return form->exec();
        // Stay on top while the caller waits; the program's other windows stay usable.
        form->setWindowFlag(Qt::WindowStaysOnTopHint);
        form->CloseResult = mrNone;
        form->setModal(false);
        QEventLoop loop;
        QObject::connect(form, &QDialog::finished, &loop, &QEventLoop::quit);
        form->show();
        loop.exec();
        return form->result();
    } catch (...) {
        return PlainMessageBox(text.left(255), caption.left(255), fallbackStyle | 0x10 | 0x1000);
    }
}

int QuestionDlg(const QString &text, int helpContext, bool modal)
{
    return CustomMessageDlg(text, Translated(QT_TRANSLATE_NOOP("MessageDialogs", "Question")),
                            mtConfirmation, Buttons({ mbYes, mbNo, mbCancel }), helpContext, 3,
                            false, mbYes, modal);
}

void ErrorDlg(const QString &text, int helpContext, bool modal)
{
    CustomMessageDlg(text, Translated(TypeCaption(mtError)), mtError, Buttons({ mbOK }),
                     helpContext, 0, false, mbOK, modal);
}
