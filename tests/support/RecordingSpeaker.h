#pragma once
// A speaker for tests: records what would be said and speaks until stopped.

#include "platform/gui/TSpeaker.h"

struct RecordingSpeaker : TSpeaker
{
    bool available = true;
    bool speaking = false;
    QStringList said;
    QString voice = "kal";
    double rate = DefaultRate;

    bool Available() const override { return available; }
    void Say(const QString &text) override
    {
        said << text;
        speaking = true;
        emit SpeakingChanged(true);
    }
    void Stop() override
    {
        if (!speaking)
            return;
        speaking = false;
        emit SpeakingChanged(false);
    }
    bool Speaking() const override { return speaking; }
    QStringList Voices() const override { return { "kal", "slt" }; }
    QString Voice() const override { return voice; }
    void SetVoice(const QString &name) override { voice = name; }
    double Rate() const override { return rate; }
    void SetRate(double value) override { rate = value; }
    void SetLanguage(const QLocale &) override { }
};
