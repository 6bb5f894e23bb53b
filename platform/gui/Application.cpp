#include "platform/gui/Application.h"

#include "platform/core/Exceptions.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <cstdio>
#include <stdexcept>

TApplication::ExceptionEvent TApplication::OnException;

TApplication::TApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{ }

static void ReportException(QObject *sender, const std::exception &e)
{
    if (!TApplication::OnException) {
        std::fprintf(stderr, "%s\n", e.what());
        return;
    }
    // The hook must not let anything escape into the event loop either.
    try {
        TApplication::OnException(sender, e);
    } catch (const std::exception &inner) {
        std::fprintf(stderr, "%s\n%s\n", e.what(), inner.what());
    } catch (...) {
        std::fprintf(stderr, "%s\n", e.what());
    }
}

void TApplication::HandleException(QObject *sender, const std::exception &e)
{
    if (!dynamic_cast<const EAbort *>(&e))
        ReportException(sender, e);
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const EAbort &) {
        // Leaves the handler quietly, by design.
    } catch (const std::exception &e) {
        ReportException(receiver, e);
    } catch (...) {
        ReportException(receiver, std::runtime_error("Unknown exception"));
    }
    return false;
}

// Kept apart from the application's display name: the window system would add that
// name to every window's title, and a message box sized for its own caption would then
// show it cut.
static QString ApplicationTitle;

void TApplication::SetTitle(const QString &title)
{
    ApplicationTitle = title;
}

QString TApplication::Title()
{
    return ApplicationTitle;
}

void TApplication::ProcessMessages()
{
    QCoreApplication::processEvents();
}

QSize TApplication::ScreenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize();
}

static bool BusyCursorShown = false;

void TApplication::SetBusyCursor(bool busy)
{
    if (busy == BusyCursorShown)
        return;
    BusyCursorShown = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

bool TApplication::BusyCursor()
{
    return BusyCursorShown;
}

TBusyCursor::TBusyCursor()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

TBusyCursor::~TBusyCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

TWindowDisabler::TWindowDisabler(QWidget *except)
{
    const bool exceptWasEnabled = except && except->isEnabled();
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w == except || !w->isVisible() || !w->isEnabled())
            continue;
        w->setEnabled(false);
        FDisabled.emplace_back(w);
    }
    // Disabling a window also disables the windows it owns; a window may be enabled
    // again under a disabled owner, so the one window left working stays usable.
    if (exceptWasEnabled && !except->isEnabled())
        except->setEnabled(true);
}

TWindowDisabler::~TWindowDisabler()
{
    for (auto it = FDisabled.rbegin(); it != FDisabled.rend(); ++it)
        if (*it)
            (*it)->setEnabled(true);
}

// Cuts a text to at most max UTF-16 units without splitting a surrogate pair.
static QString CutTo(const QString &text, qsizetype max)
{
    if (text.size() <= max)
        return text;
    qsizetype n = max;
    if (n > 0 && text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

int PlainMessageBox(const QString &text, const QString &caption, int style)
{
    using SB = QMessageBox::StandardButton;
    struct ButtonSet
    {
        QMessageBox::StandardButtons buttons;
        SB order[3];
    };
    static const ButtonSet sets[] = {
        { SB::Ok, { SB::Ok, SB::NoButton, SB::NoButton } },
        { SB::Ok | SB::Cancel, { SB::Ok, SB::Cancel, SB::NoButton } },
        { SB::Abort | SB::Retry | SB::Ignore, { SB::Abort, SB::Retry, SB::Ignore } },
        { SB::Yes | SB::No | SB::Cancel, { SB::Yes, SB::No, SB::Cancel } },
        { SB::Yes | SB::No, { SB::Yes, SB::No, SB::NoButton } },
        { SB::Retry | SB::Cancel, { SB::Retry, SB::Cancel, SB::NoButton } },
    };
    const int kind = style & 0x0F;
    const ButtonSet &set = sets[kind < 6 ? kind : 0];

    QMessageBox box;
    box.setWindowTitle(CutTo(caption, 255));
    box.setText(CutTo(text, 255));
    box.setStandardButtons(set.buttons);
    switch (style & 0xF0) {
    case 0x10:
        box.setIcon(QMessageBox::Critical);
        break;
    case 0x20:
        box.setIcon(QMessageBox::Question);
        break;
    case 0x30:
        box.setIcon(QMessageBox::Warning);
        break;
    case 0x40:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    const int defaultIndex = (style >> 8) & 0x0F; // 0x100 second button, 0x200 third
    if (defaultIndex < 3 && set.order[defaultIndex] != SB::NoButton)
        box.setDefaultButton(set.order[defaultIndex]);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();

    switch (box.standardButton(box.clickedButton())) {
    case SB::Ok:
        return 1;
    case SB::Cancel:
        return 2;
    case SB::Abort:
        return 3;
    case SB::Retry:
        return 4;
    case SB::Ignore:
        return 5;
    case SB::Yes:
        return 6;
    case SB::No:
        return 7;
    default:
        return 2; // closed without a button
    }
}
