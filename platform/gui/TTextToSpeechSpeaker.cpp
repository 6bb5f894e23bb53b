#include "platform/gui/TTextToSpeechSpeaker.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTextToSpeech>
#include <QVoice>
#include <algorithm>

TTextToSpeechSpeaker::TTextToSpeechSpeaker(QObject *parent)
    : TSpeaker(parent)
{ }

TTextToSpeechSpeaker::~TTextToSpeechSpeaker()
{
    StopFliteProgram();
}

bool TTextToSpeechSpeaker::Available() const
{
    // Looking at the installed plugins loads no engine.
    return !QTextToSpeech::availableEngines().isEmpty();
}

QString TTextToSpeechSpeaker::EngineFor(const QLocale &language)
{
    // Flite speaks only American English, and more naturally than the other engines; any
    // other language goes to another engine, which may have a voice for it.
    const QStringList engines = QTextToSpeech::availableEngines();
    const bool english = language.language() == QLocale::English;
    for (const QString &engine : engines)
        if ((engine == QLatin1String("flite")) == english)
            return engine;
    return engines.value(0);
}

QTextToSpeech *TTextToSpeechSpeaker::Engine() const
{
    if (!FEngine && Available()) {
        FEngine = std::make_unique<QTextToSpeech>(EngineFor(FLanguage));
        auto *self = const_cast<TTextToSpeechSpeaker *>(this);
        connect(FEngine.get(), &QTextToSpeech::stateChanged, self, [self](QTextToSpeech::State s) {
            self->SetSpeaking(s == QTextToSpeech::Speaking);
        });
        self->SetLanguage(FLanguage);
        FEngine->setRate(FRate);
    }
    return FEngine.get();
}

void TTextToSpeechSpeaker::Say(const QString &text)
{
    QTextToSpeech *engine = Engine();
    if (!engine || text.trimmed().isEmpty())
        return;
    engine->stop();
    if (engine->engine() == QLatin1String("flite")) {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("flite"));
        if (!program.isEmpty()) {
            SayWithFliteProgram(program, text);
            return;
        }
    }
    StopFliteProgram();
    engine->say(text);
    // An engine that cannot play (no sound device) ends in an error state at once.
    SetSpeaking(engine->state() == QTextToSpeech::Speaking);
}

QStringList TTextToSpeechSpeaker::FliteArguments(const QString &voice, double rate)
{
    // The toolkit's Flite engine turns the rate into a duration stretch this way, so a
    // rate sounds the same as it did there.
    rate = std::clamp(rate, -1.0, 1.0);
    const double stretch = rate < 0 ? 1 - 2 * rate : 1 - rate * 100 / 175;
    QStringList arguments;
    if (!voice.isEmpty())
        arguments << "-voice" << voice;
    arguments << "--setf" << QStringLiteral("duration_stretch=%1").arg(stretch) << "-f"
              << "/dev/stdin";
    return arguments;
}

void TTextToSpeechSpeaker::SayWithFliteProgram(const QString &program, const QString &text)
{
    StopFliteProgram();
    FFlite = std::make_unique<QProcess>();
    QProcess *process = FFlite.get();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->setStandardOutputFile(QProcess::nullDevice());
    connect(process, &QProcess::finished, this, [this] { SetSpeaking(false); });
    connect(process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            SetSpeaking(false);
    });
    process->start(program, FliteArguments(Voice(), FRate));
    process->write(text.toUtf8());
    process->closeWriteChannel();
    SetSpeaking(process->state() != QProcess::NotRunning);
}

void TTextToSpeechSpeaker::StopFliteProgram()
{
    if (!FFlite)
        return;
    // Ended without a word more; its end is no news, the caller says what comes next.
    FFlite->disconnect(this);
    FFlite->kill();
    FFlite->waitForFinished(1000);
    FFlite.reset();
}

void TTextToSpeechSpeaker::Stop()
{
    StopFliteProgram();
    if (FEngine)
        FEngine->stop();
    SetSpeaking(false);
}

QStringList TTextToSpeechSpeaker::Voices() const
{
    QStringList names;
    if (QTextToSpeech *engine = Engine())
        for (const QVoice &voice : engine->availableVoices())
            names << voice.name();
    return names;
}

QString TTextToSpeechSpeaker::Voice() const
{
    return FEngine ? FEngine->voice().name() : FVoice;
}

void TTextToSpeechSpeaker::SetVoice(const QString &name)
{
    FVoice = name;
    if (FEngine) // a new engine takes FVoice when it is made
        for (const QVoice &voice : FEngine->availableVoices())
            if (voice.name() == name)
                FEngine->setVoice(voice);
}

void TTextToSpeechSpeaker::SetRate(double rate)
{
    FRate = std::clamp(rate, -1.0, 1.0);
    if (FEngine)
        FEngine->setRate(FRate);
}

void TTextToSpeechSpeaker::SetLanguage(const QLocale &language)
{
    FLanguage = language;
    if (FEngine && FEngine->engine() != EngineFor(language)) {
        // The next use makes the engine of the new language.
        StopFliteProgram();
        FEngine->stop();
        FEngine.reset();
        SetSpeaking(false);
    }
    if (!FEngine)
        return;
    if (FEngine->availableLocales().contains(language)) {
        FEngine->setLocale(language);
    } else {
        for (const QLocale &locale : FEngine->availableLocales())
            if (locale.language() == language.language())
                FEngine->setLocale(locale);
    }
    if (!FVoice.isEmpty())
        SetVoice(FVoice);
}

void TTextToSpeechSpeaker::SetSpeaking(bool speaking)
{
    if (speaking == FSpeaking)
        return;
    FSpeaking = speaking;
    emit SpeakingChanged(speaking);
}
