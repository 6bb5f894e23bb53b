#include "dialogs/TExceptionHandler.h"

#include "dialogs/MessageDialogs.h"
#include "platform/core/Exceptions.h"
#include "platform/gui/Application.h"

namespace {
TApplication::ExceptionEvent PreviousHandler;
}

void TExceptionHandler::Install()
{
    PreviousHandler = TApplication::OnException;
    TApplication::OnException = &TExceptionHandler::HandleException;
}

void TExceptionHandler::Remove()
{
    TApplication::OnException = PreviousHandler;
    PreviousHandler = nullptr;
}

QString TExceptionHandler::MessageText(const std::exception &e)
{
    void *address = nullptr;
    if (auto *range = dynamic_cast<const ERangeError *>(&e))
        address = range->ExceptAddr;
    else if (auto *overflow = dynamic_cast<const EIntOverflow *>(&e))
        address = overflow->ExceptAddr;
    if (address) {
        const QString hex = QString::number(quint32(reinterpret_cast<quintptr>(address)), 16);
        return QString("%1 at %2.")
            .arg(QString::fromUtf8(e.what()), hex.rightJustified(8, '0').toUpper());
    }
    // A message that is a sentence already keeps its one full stop.
    const QString message = QString::fromUtf8(e.what());
    return message.endsWith('.') ? message : message + ".";
}

void TExceptionHandler::HandleException(QObject *, const std::exception &e)
{
    ErrorDlg(MessageText(e), 0, true);
}
