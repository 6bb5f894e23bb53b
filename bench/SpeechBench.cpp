// Says words through the program's speaker the way the spelling dialog does, one at a time,
// and prints when each was asked for and when the speaker reported it done, so that a
// recording of the sound (bench/speech-audible.sh) can tell which were heard:
//   speech-bench [--language es] [--gap MS] WORD...
// Each word is said GAP ms (1500) after the previous one ended; "@es" among the words
// switches the speaker to Spanish ("@en" back to English) for the words after it.

#include "platform/gui/TSpeaker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <functional>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QLocale language(QLocale::English);
    int gap = 1500;
    while (args.size() >= 2 && args[0].startsWith("--")) {
        if (args[0] == "--language")
            language = QLocale(args[1]);
        else if (args[0] == "--gap")
            gap = args[1].toInt();
        args = args.mid(2);
    }
    TSpeaker &speaker = TSpeaker::Instance();
    if (!speaker.Available()) {
        std::fprintf(stderr, "speech-bench: no voice\n");
        return 2;
    }
    speaker.SetLanguage(language);
    speaker.SetRate(TSpeaker::DefaultRate);
    QElapsedTimer clock;
    clock.start();
    int next = 0;
    std::function<void()> sayNext;
    sayNext = [&] {
        if (next == args.size()) {
            QTimer::singleShot(gap, &app, &QCoreApplication::quit);
            return;
        }
        if (args[next].startsWith('@')) { // "@es": the language of the words that follow
            speaker.SetLanguage(QLocale(args[next++].mid(1)));
            QTimer::singleShot(0, &app, sayNext);
            return;
        }
        std::printf("%lld say %s\n", clock.elapsed(), qPrintable(args[next]));
        std::fflush(stdout);
        speaker.Say(args[next++]);
    };
    QObject::connect(&speaker, &TSpeaker::SpeakingChanged, &app, [&](bool speaking) {
        std::printf("%lld %s\n", clock.elapsed(), speaking ? "speaking" : "done");
        std::fflush(stdout);
        if (!speaking)
            QTimer::singleShot(gap, &app, sayNext);
    });
    QTimer::singleShot(gap, &app, sayNext);
    return app.exec();
}
