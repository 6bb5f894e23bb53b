#include "spell/TAbsSpellForm.h"

#include "dialogs/TBitBtn.h"
#include "platform/core/CodePages.h"
#include "platform/core/TStringList.h"
#include "platform/gui/Application.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QCursor>
#include <QEventLoop>

TAbsSpellForm::TAbsSpellForm(QWidget *owner)
    : QWidget(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{ }

TAbsSpellForm::~TAbsSpellForm() = default;

void TAbsSpellForm::SetAccentedCharacters(const std::string &chars)
{
    AccentedCharacters = chars;
}

void TAbsSpellForm::SetBuffer(TAbsBuffer *buffer)
{
    Buffer = buffer;
}

void TAbsSpellForm::SetDictionary(TDictionary *dictionary)
{
    Dictionary = dictionary;
}

void TAbsSpellForm::SetLabelLanguage(TLanguages language)
{
    LabelLanguage = language;
}

void TAbsSpellForm::SetChoice(int32_t code)
{
    Choice = code;
}

int32_t TAbsSpellForm::QueryWord(AnsiText &, std::unique_ptr<TStringList>)
{
    Choice = srNone;
    FAnswerText.clear();
    return srNone;
}

std::u16string TAbsSpellForm::AnswerText(const AnsiText &answer) const
{
    // A form that set the answer's code page 1252 text itself is taken at that word.
    if (!FAnswerText.empty() && CodePages::Utf16ToAnsi(FAnswerText) == answer)
        return FAnswerText;
    return CodePages::DecodeAnsi(answer.view());
}

void TAbsSpellForm::WaitForChoice()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    while (Choice == srNone && isVisible())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void TAbsSpellForm::ShowNonModal()
{
    if (!FTaskWindows)
        FTaskWindows = std::make_unique<TWindowDisabler>(this);
    // A disabled owner would disable its dialog too; the dialog stays usable.
    setEnabled(true);
    show();
    raise();
    activateWindow();
}

void TAbsSpellForm::CloseNonModal()
{
    FTaskWindows.reset();
    hide();
}

void TAbsSpellForm::RemoveGlyphs()
{
    for (TBitBtn *button : findChildren<TBitBtn *>())
        if (!button->icon().isNull())
            button->setIcon(QIcon());
}

void TAbsSpellForm::ShiftAwayFrom(int32_t wordTop)
{
    if (wordTop == 0)
        return;
    const int screenHeight = TApplication::ScreenSize().height();
    const int oldTop = frameGeometry().top();
    const int newTop
        = wordTop > screenHeight / 2 ? 30 : screenHeight - frameGeometry().height() - 30;
    if (newTop == oldTop)
        return;
    move(frameGeometry().left(), newTop);
    // The pointer keeps its place over the dialog's controls.
    const QPoint cursor = QCursor::pos();
    QCursor::setPos(cursor.x(), cursor.y() + (newTop - oldTop));
}

void TAbsSpellForm::closeEvent(QCloseEvent *event)
{
    // The close box hides the window; the waiting question then counts as Cancel.
    event->accept();
}
