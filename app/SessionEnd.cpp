#include "app/SessionEnd.h"

#include "app/AutoSave.h"
#include "app/ShutdownSignals.h"
#include "spell/TCustomSpellDlg.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

void SessionEnd::KeepWork(TAutoSave &autoSave, TCustomSpellDlg &spellDlg)
{
    autoSave.Keep();
    autoSave.WriteNow(true);
    try {
        spellDlg.SetDictionaryActive(false); // writes the learned words
    } catch (const std::exception &e) {
        std::fprintf(stderr, "scrivlo: %s\n", e.what());
    }
}

void SessionEnd::OnShutdownSignals(QObject *owner, std::function<void()> endSession)
{
    auto *watcher = new TShutdownSignals(owner);
    QObject::connect(watcher, &TShutdownSignals::Received, owner, [endSession] {
        endSession();
        // Straight out: a question or a check that is open now must not hold the end up.
        std::fflush(nullptr);
        std::_Exit(0);
    });
}
