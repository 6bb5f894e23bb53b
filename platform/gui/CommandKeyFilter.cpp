#include "platform/gui/CommandKeyFilter.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

bool TakesTypedText(const QObject *widget)
{
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QTextEdit *>(widget)
        || qobject_cast<const QPlainTextEdit *>(widget)
        || qobject_cast<const QAbstractSpinBox *>(widget)
        || qobject_cast<const QComboBox *>(widget);
}

} // namespace

CommandKeyFilter::CommandKeyFilter(QObject *parent)
    : QObject(parent)
{
    qApp->installEventFilter(this);
}

CommandKeyFilter::~CommandKeyFilter()
{
    qApp->removeEventFilter(this);
}

bool CommandKeyFilter::TypesCommandText(const QKeyEvent &key)
{
    const QString text = key.text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    const Qt::KeyboardModifiers mods = key.modifiers();
    if (mods & Qt::GroupSwitchModifier)
        return false; // AltGr on X11
    const bool alt = mods & Qt::AltModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    if (alt && ctrl)
        return false; // AltGr where the system reports it as Ctrl+Alt
    return alt || ctrl || (mods & Qt::MetaModifier);
}

bool CommandKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !TakesTypedText(watched)
        || !TypesCommandText(*static_cast<QKeyEvent *>(event)))
        return false;
    // Not typed; the window around the edit still hears the unused chord.
    event->ignore();
    return true;
}
