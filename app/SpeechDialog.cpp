#include "app/SpeechDialog.h"

#include "app/Settings.h"
#include "platform/gui/TSpeaker.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSlider>

namespace {
const char *const VoiceKey = "speech/voice";
const char *const RateKey = "speech/rate";
constexpr int RateSteps = 10; // the slider's -10..10 is the speaker's -1..1
} // namespace

SpeechDialog::SpeechDialog(TSpeaker &speaker, QWidget *parent)
    : QDialog(parent)
    , FSpeaker(speaker)
    , cboVoice(new QComboBox(this))
    , sldRate(new QSlider(Qt::Horizontal, this))
{
    setObjectName("SpeechDialog");
    setWindowTitle(tr("Speech"));
    cboVoice->setObjectName("cboVoice");
    cboVoice->addItems(speaker.Voices());
    cboVoice->setCurrentText(speaker.Voice());
    sldRate->setObjectName("sldRate");
    sldRate->setRange(-RateSteps, RateSteps);
    sldRate->setValue(qRound(speaker.Rate() * RateSteps));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *test = buttons->addButton(tr("&Test"), QDialogButtonBox::ActionRole);
    test->setObjectName("btnTest");
    connect(test, &QPushButton::clicked, this, [this] {
        // The test uses the settings as they stand in the dialog, then puts the old back.
        const QString voice = FSpeaker.Voice();
        const double rate = FSpeaker.Rate();
        FSpeaker.SetVoice(cboVoice->currentText());
        FSpeaker.SetRate(ChosenRate());
        FSpeaker.Say(tr("Hello! This is how I read your story."));
        FSpeaker.SetVoice(voice);
        FSpeaker.SetRate(rate);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *form = new QFormLayout(this);
    form->addRow(tr("&Voice:"), cboVoice);
    form->addRow(tr("&Rate:"), sldRate);
    form->addRow(buttons);
}

double SpeechDialog::ChosenRate() const
{
    return static_cast<double>(sldRate->value()) / RateSteps;
}

void SpeechDialog::accept()
{
    FSpeaker.SetVoice(cboVoice->currentText());
    FSpeaker.SetRate(ChosenRate());
    QSettings settings = Settings::Store();
    settings.setValue(VoiceKey, cboVoice->currentText());
    settings.setValue(RateKey, ChosenRate());
    QDialog::accept();
}

void SpeechDialog::ApplySaved(TSpeaker &speaker)
{
    QSettings settings = Settings::Store();
    speaker.SetRate(settings.value(RateKey, TSpeaker::DefaultRate).toDouble());
    const QString voice = settings.value(VoiceKey).toString();
    if (!voice.isEmpty())
        speaker.SetVoice(voice);
}
