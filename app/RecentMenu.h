#pragma once
// The File menu's "Recent Documents": the stories opened or saved last, filled each time
// the File menu opens. A story that is gone is taken off the list, with a word to the user.

#include <QObject>
#include <QString>
#include <functional>

class QMenu;
class QWidget;

class RecentMenu : public QObject
{
    Q_OBJECT
public:
    // open opens a story that still exists, in its remembered format (true: plain text).
    RecentMenu(QMenu *file, std::function<void(const QString &, bool)> open, QWidget *window);

private:
    void Fill();
    void OpenRecent(const QString &fileName, bool plainText);

    QMenu *FMenu;
    QWidget *FWindow;
    std::function<void(const QString &, bool)> FOpen;
};
