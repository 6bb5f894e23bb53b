#pragma once
// The suggestion list: raises OnChange whenever the user's click or key leaves an item
// selected, also when the selection did not move.

#include <QListWidget>

class TNewListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit TNewListBox(QWidget *parent = nullptr);

    virtual void Change();

signals:
    void OnChange(TNewListBox *sender);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Click();
};
