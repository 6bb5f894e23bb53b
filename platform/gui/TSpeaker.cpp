#include "platform/gui/TSpeaker.h"

#include "platform/gui/TTextToSpeechSpeaker.h"

#include <QCoreApplication>

namespace {
TSpeaker *Installed = nullptr;
}

TSpeaker &TSpeaker::Instance()
{
    if (Installed)
        return *Installed;
    // Made once, on first use, and released with the application.
    static TTextToSpeechSpeaker *platform = new TTextToSpeechSpeaker(QCoreApplication::instance());
    return *platform;
}

void TSpeaker::SetInstance(TSpeaker *speaker)
{
    Installed = speaker;
}

QString TSpeaker::MissingVoiceHint() const
{
    return tr("No voice is installed: install the Debian packages "
              "qt6-speech-flite-plugin and flite to hear words read aloud.");
}
