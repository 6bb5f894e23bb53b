#include "platform/gui/AccessibleRole.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

constexpr const char *RoleProperty = "scrivloAccessibleRole";

QAccessibleInterface *CreateWithRole(const QString &key, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget || key != QLatin1String(object->metaObject()->className()))
        return nullptr;
    const QVariant role = widget->property(RoleProperty);
    if (!role.isValid())
        return nullptr;
    return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
}

} // namespace

namespace AccessibleRole {

void Set(QWidget *widget, QAccessible::Role role)
{
    static const bool installed = [] {
        QAccessible::installFactory(&CreateWithRole);
        return true;
    }();
    (void)installed;
    widget->setProperty(RoleProperty, static_cast<int>(role));
}

} // namespace AccessibleRole
