// The first suggestion after the Language menu switches the editor to Spanish, as the
// interface thread sees it: the switch itself (closing English, opening ESPANOL.DCT), and
// the children's ranking's first list, asked for at once or after a pause such as a child
// takes to reach F7; and a switch back while the Spanish tree is still being built.
//   first-suggestion-bench DICTIONARY_FOLDER

#include "dictionary/TDictionary.h"
#include "platform/core/CodePageText.h"
#include "spell/TSpellDlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Milliseconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Switches the component to a dictionary as the main window does; the time it took.
double Switch(TSpellDlg &spell, const char *dictionary)
{
    QElapsedTimer timer;
    timer.start();
    spell.SetDictionaryActive(false);
    spell.SetDictionaryName(dictionary);
    spell.SetDictionaryActive(true);
    return Milliseconds(timer);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: first-suggestion-bench DICTIONARY_FOLDER\n");
        return 2;
    }
    QTemporaryDir dir;
    QWidget window;
    TSpellDlg spell(&window);
    spell.SetDictionaryPath(argv[1]);
    spell.SetUserDictionary(dir.filePath("USERDCT.TXT").toStdString());
    spell.SetSuggestionRanking(rkChildren);

    std::printf("%-28s %12s %16s\n", "first F7 after the switch", "switch", "first suggestion");
    const int runs = 5;
    for (const int pauseMs : { 0, 1000 }) {
        std::vector<double> switches, firsts;
        for (int r = 0; r < runs; ++r) {
            Switch(spell, "ENGLISH.DCT");
            QThread::msleep(300); // English in use a while: its own preparation is done
            switches.push_back(Switch(spell, "ESPANOL.DCT"));
            QThread::msleep(pauseMs);
            QElapsedTimer timer;
            timer.start();
            const auto list = spell.WordSuggestions(AnsiText("pequeno"));
            firsts.push_back(Milliseconds(timer));
            if (list->Count() == 0)
                std::fprintf(stderr, "no suggestions\n");
        }
        std::sort(switches.begin(), switches.end());
        std::sort(firsts.begin(), firsts.end());
        std::printf("after %4d ms (median of %d)   %9.1f ms %13.1f ms\n", pauseMs, runs,
                    switches[runs / 2], firsts[runs / 2]);
    }
    // Back to English at once: the switch stops the Spanish tree being built.
    std::vector<double> away;
    for (int r = 0; r < runs; ++r) {
        Switch(spell, "ESPANOL.DCT");
        away.push_back(Switch(spell, "ENGLISH.DCT"));
        QThread::msleep(300);
    }
    std::sort(away.begin(), away.end());
    std::printf("back to English during the build: %.1f ms\n", away[runs / 2]);
    return 0;
}
