#pragma once
// The main window's speech: the voice with its saved settings, "Read Aloud" and "Read
// Everything" on the page, "Speech..." enabled only with a voice, and the spelling dialog
// reading its suggestions, with that choice kept between runs.

class QAction;
class QWidget;
class TRichEdit;
class TSpellDlg;

namespace ReadAloudSetup {

void Create(TRichEdit *page, TSpellDlg *spellDlg, QAction *readAloud, QAction *readEverything,
            QAction *speechSettings, QWidget *window);

} // namespace ReadAloudSetup
