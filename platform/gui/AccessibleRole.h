#pragma once
// The role a screen reader is told for a widget whose class Qt does not know: a plain
// widget shown as a dialog, a drawn link. Its name is Qt's usual one (the accessible name,
// or a window's title).

#include <QAccessible>

class QWidget;

namespace AccessibleRole {

// To be called before the widget's accessible interface is first asked for (in its
// constructor); applies to the widget's own class, not to subclasses that set none.
void Set(QWidget *widget, QAccessible::Role role);

} // namespace AccessibleRole
