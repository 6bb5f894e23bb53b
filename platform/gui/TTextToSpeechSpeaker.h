#pragma once
// TSpeaker over Qt's text-to-speech module. The engine is made on first use, so a program
// that never speaks loads no voice; a failing engine (no sound device) ends the speaking
// state instead of raising anything. English is spoken by Flite when it is installed,
// other languages by another engine (speech-dispatcher with eSpeak NG has Spanish).

#include "platform/gui/TSpeaker.h"

#include <memory>

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

private:
    static QString EngineFor(const QLocale &language);
    QTextToSpeech *Engine() const;
    void SetSpeaking(bool speaking);

    mutable std::unique_ptr<QTextToSpeech> FEngine;
    double FRate = DefaultRate;
    QLocale FLanguage { QLocale::English };
    QString FVoice;
    bool FSpeaking = false;
};
