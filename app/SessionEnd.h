#pragma once
// How the program ends when the system ends the session: the copy of unsaved work stays
// for the next start, the learned words are written, and SIGTERM or SIGHUP end the program
// at once, asking nothing.

#include <functional>

class QObject;
class TAutoSave;
class TCustomSpellDlg;

namespace SessionEnd {

// Keeps the unsaved work and writes the learned words; a failure is told on stderr.
void KeepWork(TAutoSave &autoSave, TCustomSpellDlg &spellDlg);
// Runs endSession on SIGTERM or SIGHUP, then ends the program (while owner lives).
void OnShutdownSignals(QObject *owner, std::function<void()> endSession);

} // namespace SessionEnd
