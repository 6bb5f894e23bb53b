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
    if (event->type() != QEvent::KeyPress || !TakesTypedText(watched))
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (!TypesCommandText(*key))
        return false;
    // The edit still sees the chord (Ctrl+A, Ctrl+Z...), only without text to type.
    QKeyEvent chord(key->type(), key->key(), key->modifiers(), key->nativeScanCode(),
                    key->nativeVirtualKey(), key->nativeModifiers(), QString(), key->isAutoRepeat(),
                    key->count(), key->device());
    QCoreApplication::sendEvent(watched, &chord);
    event->accept(); // the chord has already gone on to the edit's parents if unused
    return true;
}
