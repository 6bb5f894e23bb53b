#include "dialogs/TBitBtn.h"

#include <QStyle>

TBitBtn::TBitBtn(QWidget *parent)
    : QPushButton(parent)
{ }

void TBitBtn::SetKind(TBitBtnKind kind)
{
    FKind = kind;
    QStyle::StandardPixmap pixmap;
    switch (kind) {
    case bkOK:
        pixmap = QStyle::SP_DialogOkButton;
        break;
    case bkCancel:
        pixmap = QStyle::SP_DialogCancelButton;
        break;
    case bkHelp:
        pixmap = QStyle::SP_DialogHelpButton;
        break;
    case bkYes:
    case bkAll:
        pixmap = QStyle::SP_DialogYesButton;
        break;
    case bkNo:
        pixmap = QStyle::SP_DialogNoButton;
        break;
    case bkClose:
        pixmap = QStyle::SP_DialogCloseButton;
        break;
    case bkAbort:
        pixmap = QStyle::SP_DialogDiscardButton;
        break;
    case bkRetry:
        pixmap = QStyle::SP_BrowserReload;
        break;
    case bkIgnore:
        pixmap = QStyle::SP_DialogResetButton;
        break;
    default:
        setIcon(QIcon());
        return;
    }
    setIcon(style()->standardIcon(pixmap)); // the style draws the disabled state itself
}
