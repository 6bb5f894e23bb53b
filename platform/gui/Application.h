#pragma once
// The application object and the services the windows use of it: title, the hook that
// receives every exception escaping an event handler, pending-message processing, the
// busy cursor, the screen size, disabling the other windows, and the plain message box.

#include <QApplication>
#include <QPointer>
#include <QString>
#include <exception>
#include <functional>
#include <vector>

class QWidget;

class TApplication : public QApplication
{
    Q_OBJECT
public:
    TApplication(int &argc, char **argv);

    // Called with every exception that escapes an event handler; EAbort is dropped
    // silently. Settable before the application object exists (start-up order).
    using ExceptionEvent = std::function<void(QObject *sender, const std::exception &e)>;
    static ExceptionEvent OnException;

    // Hands e to OnException (EAbort is dropped); for code that catches an exception
    // itself before it can unwind through the toolkit, such as command handlers.
    static void HandleException(QObject *sender, const std::exception &e);

    // Event delivery with the exception hook around it; the program goes on afterwards.
    bool notify(QObject *receiver, QEvent *event) override;

    static void SetTitle(const QString &title); // also the print job's name
    static QString Title();
    static void ProcessMessages();
    static QSize ScreenSize();
    // The screen's mouse cursor: the hourglass while busy, else the default. Setting the
    // same state twice changes nothing.
    static void SetBusyCursor(bool busy);
    static bool BusyCursor();
};

// Shows the busy (hourglass) cursor while it lives.
class TBusyCursor
{
public:
    TBusyCursor();
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor &) = delete;
    TBusyCursor &operator=(const TBusyCursor &) = delete;
};

// Disables every top-level window of the program except one, and enables them again.
class TWindowDisabler
{
public:
    explicit TWindowDisabler(QWidget *except);
    ~TWindowDisabler(); // enables what it disabled
    TWindowDisabler(const TWindowDisabler &) = delete;
    TWindowDisabler &operator=(const TWindowDisabler &) = delete;

private:
    std::vector<QPointer<QWidget>> FDisabled;
};

// The plain system-style message box: style bits as the classic message box takes them
// (0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel;
// 0x10 stop icon, 0x20 question, 0x30 exclamation, 0x40 information; 0x1000 system modal).
// Returns the modal result of the button pressed (1 OK ... 7 No; 2 when closed).
int PlainMessageBox(const QString &text, const QString &caption, int style);
