#pragma once
// Keeps a copy of the main window's unsaved work in the recovery store: after every pause
// in typing, after every stretch of typing without one (30 seconds each;
// SCRIVLO_AUTOSAVE_SECONDS changes it for tests) and whenever the window loses focus. At
// start it offers the stories that earlier runs left behind.

#include "app/RecoveryStore.h"

#include <QObject>
#include <QTimer>

class QWidget;
class TRecoverableDocument;

class TAutoSave : public QObject
{
    Q_OBJECT
public:
    // Keeps the document edited in window; questions and errors are shown over window.
    TAutoSave(TRecoverableDocument &document, QWidget *window);

    static int PeriodSeconds();
    TRecoveryStore &Store() { return FStore; }

    // Writes the copy now, when there are unsaved changes; with wait, returns only once
    // it is on disk.
    void WriteNow(bool wait = false);
    // The work was saved or deliberately discarded: its copy goes.
    void Forget();
    // From now on the copy stays whatever happens (the program is being ended).
    void Keep() { FKeep = true; }
    // Asks about each story kept by an earlier run: Restore opens it in the window (and
    // ends the questions, the rest wait for the next start), Discard removes it. A restore
    // that is cancelled or fails also ends them and keeps the copy. True when a story was
    // restored.
    bool OfferKept();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Edited();
    TRecoverableDocument &FDocument;
    QWidget *FWindow;
    TRecoveryStore FStore;
    QTimer FTimer; // the pause in typing
    QTimer FTypingTimer; // the longest stretch of changes without a copy
    bool FDirty = false; // changed since the last copy
    bool FKeep = false;
};
