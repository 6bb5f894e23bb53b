#include "app/ReadAloudSetup.h"

#include "app/ReadAloud.h"
#include "app/Settings.h"
#include "app/SpeechDialog.h"
#include "platform/gui/TSpeaker.h"
#include "spell/TSpellDlg.h"

#include <QAction>
#include <QLocale>

namespace {

const char *const SpeakSuggestionsSetting = "speech/speakSuggestions";

} // namespace

void ReadAloudSetup::Create(TRichEdit *page, TSpellDlg *spellDlg, QAction *readAloud,
                            QAction *readEverything, QAction *speechSettings, QWidget *window)
{
    TSpeaker &speaker = TSpeaker::Instance();
    speaker.SetLanguage(QLocale(QLocale::English));
    SpeechDialog::ApplySaved(speaker);
    new ReadAloud(page, speaker, readAloud, readEverything, window);
    speechSettings->setEnabled(speaker.Available());
    if (!speaker.Available())
        speechSettings->setToolTip(speaker.MissingVoiceHint());
    // The spelling dialog reads its suggestions too, with the check box kept between runs.
    spellDlg->SetSpeaker(&speaker);
    spellDlg->SetSpeakSuggestions(Settings::Flag(SpeakSuggestionsSetting, false));
    spellDlg->OnSpeakSuggestionsChanged
        = [](bool on) { Settings::SetFlag(SpeakSuggestionsSetting, on); };
}
