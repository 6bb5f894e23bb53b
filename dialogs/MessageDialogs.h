#pragma once
// The program's own message dialogs: a standard message window (icon, word-wrapped text,
// a row of buttons) whose buttons carry glyphs, shown modally or on top of everything,
// with the plain message box as the fallback when anything goes wrong.

#include <QString>
#include <cstdint>
#include <functional>

class QDialog;

enum TModalResult : uint16_t {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10
};
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
using TMsgDlgButtons = uint16_t; // bit n = button n of TMsgDlgBtn

constexpr TMsgDlgButtons Buttons(std::initializer_list<TMsgDlgBtn> list)
{
    TMsgDlgButtons set = 0;
    for (TMsgDlgBtn b : list)
        set |= TMsgDlgButtons(1u << b);
    return set;
}

// The standard message window, laid out from the font's average character size.
QDialog *CreateMessageDialog(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons);
// The standard window shown modally; the modal result of the button pressed.
int MessageDlg(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext);

int CustomMessageDlg(const QString &text, const QString &caption, TMsgDlgType type,
                     TMsgDlgButtons buttons, int helpContext, int fallbackStyle,
                     bool useDefaultButton, TMsgDlgBtn defaultButton, bool modal);
// "Question" with Yes, No and Cancel.
int QuestionDlg(const QString &text, int helpContext, bool modal);
// "Error" with OK.
void ErrorDlg(const QString &text, int helpContext, bool modal);
// Every "&" doubled, so it shows as itself rather than as an access key.
QString DoubleAmpersands(const QString &text);

// What the Help button calls with the window's help context.
extern std::function<void(int helpContext)> HelpHook;
// For tests: thrown inside the dialog's construction to exercise the fallback.
extern std::function<void()> DialogBuildProbe;
