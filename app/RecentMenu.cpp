#include "app/RecentMenu.h"

#include "app/RecentDocuments.h"
#include "app/WindowCommands.h"
#include "dialogs/MessageDialogs.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>

RecentMenu::RecentMenu(QMenu *file, std::function<void(const QString &, bool)> open,
                       QWidget *window)
    : QObject(window)
    , FMenu(new QMenu(file))
    , FWindow(window)
    , FOpen(std::move(open))
{
    WindowCommands::SetCaption(FMenu, QT_TRANSLATE_NOOP("TMainForm", "Recent &Documents"));
    FMenu->setObjectName("MRecent");
    file->insertMenu(file->actions().at(2), FMenu);
    connect(file, &QMenu::aboutToShow, this, &RecentMenu::Fill);
    Fill();
}

void RecentMenu::Fill()
{
    FMenu->clear();
    const QList<TRecentDocument> recent = RecentDocuments::List();
    int number = 0;
    for (const TRecentDocument &doc : recent) {
        QAction *a = FMenu->addAction(
            QString("&%1 %2").arg(++number).arg(QFileInfo(doc.FileName).fileName()));
        a->setToolTip(doc.FileName);
        connect(a, &QAction::triggered, this, WindowCommands::Guarded(FWindow, [this, doc] {
                    OpenRecent(doc.FileName, doc.PlainText);
                }));
    }
    FMenu->setEnabled(!recent.isEmpty());
}

void RecentMenu::OpenRecent(const QString &fileName, bool plainText)
{
    if (!QFileInfo(fileName).isFile()) {
        RecentDocuments::Remove(fileName);
        MessageDlg(QCoreApplication::translate("TMainForm",
                                               "Scrivlo cannot find \"%1\". It is taken off the "
                                               "list of recent documents.")
                       .arg(fileName),
                   mtInformation, Buttons({ mbOK }), 0);
        return;
    }
    FOpen(fileName, plainText);
}
