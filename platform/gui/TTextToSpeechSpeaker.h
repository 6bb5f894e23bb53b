#pragma once
// TSpeaker over Qt's text-to-speech module. The engine is made on first use, so a program
// that never speaks loads no voice; a failing engine (no sound device) ends the speaking
// state instead of raising anything. English is spoken by Flite when it is installed,
// other languages by another engine (speech-dispatcher with eSpeak NG has Spanish).
//
// English is played by the flite program when it is installed, with the engine's voice
// and rate: the toolkit's own Flite engine (Qt 6.4) gives up on many short texts with
// "Audio streaming error." before a sound is heard ("beach", "me", "people" at the
// default rate), always the same ones for a voice and rate.

#include "platform/gui/TSpeaker.h"

#include <memory>

class QProcess;
class QTextToSpeech;

class TTextToSpeechSpeaker : public TSpeaker
{
    Q_OBJECT
public:
    explicit TTextToSpeechSpeaker(QObject *parent = nullptr);
    ~TTextToSpeechSpeaker() override;

    bool Available() const override;
    void Say(const QString &text) override;
    void Stop() override;
    bool Speaking() const override { return FSpeaking; }
    QStringList Voices() const override;
    QString Voice() const override;
    void SetVoice(const QString &name) override;
    double Rate() const override { return FRate; }
    void SetRate(double rate) override;
    void SetLanguage(const QLocale &language) override;

    // The flite program's arguments for a voice and a rate; the text comes on its input.
    static QStringList FliteArguments(const QString &voice, double rate);

private:
    static QString EngineFor(const QLocale &language);
    QTextToSpeech *Engine() const;
    void SetSpeaking(bool speaking);
    void SayWithFliteProgram(const QString &program, const QString &text);
    void StopFliteProgram();

    mutable std::unique_ptr<QTextToSpeech> FEngine;
    std::unique_ptr<QProcess> FFlite; // the program saying the latest text, if it does
    double FRate = DefaultRate;
    QLocale FLanguage { QLocale::English };
    QString FVoice;
    bool FSpeaking = false;
};
