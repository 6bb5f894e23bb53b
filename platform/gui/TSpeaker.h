#pragma once
// Reading words aloud. TSpeaker is the seam: the program speaks through Instance(), which
// is the platform's text-to-speech engine unless a test installed a recording stand-in.
// Without any engine installed, Available() is false and MissingVoiceHint() says what to
// install; nothing is ever spoken then, and nothing fails.

#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>

class TSpeaker : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The speaker of the program; a test may install its own (not owned, nullptr resets).
    static TSpeaker &Instance();
    static void SetInstance(TSpeaker *speaker);

    // The rate a child follows best: a little slower than the engine's default (0).
    static constexpr double DefaultRate = -0.2;

    virtual bool Available() const = 0;
    virtual QString MissingVoiceHint() const;
    // Speaks text, replacing whatever is being spoken.
    virtual void Say(const QString &text) = 0;
    virtual void Stop() = 0;
    virtual bool Speaking() const = 0;

    // Voice names of the current language; an unknown name leaves the voice as it is.
    virtual QStringList Voices() const = 0;
    virtual QString Voice() const = 0;
    virtual void SetVoice(const QString &name) = 0;
    // -1 (slowest) .. 1 (fastest).
    virtual double Rate() const = 0;
    virtual void SetRate(double rate) = 0;
    // Picks a voice of the language when the engine has one.
    virtual void SetLanguage(const QLocale &language) = 0;

signals:
    void SpeakingChanged(bool speaking);
};
