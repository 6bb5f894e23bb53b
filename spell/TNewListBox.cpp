#include "spell/TNewListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>

TNewListBox::TNewListBox(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void TNewListBox::Change()
{
    emit OnChange(this);
}

void TNewListBox::Click()
{
    if (currentRow() >= 0 && currentItem() && currentItem()->isSelected())
        Change();
}

void TNewListBox::mouseReleaseEvent(QMouseEvent *event)
{
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        Click();
}

void TNewListBox::keyPressEvent(QKeyEvent *event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    // Keys that move the selection give the same notification as a click.
    if (currentRow() != before || event->key() == Qt::Key_Space)
        Click();
}
