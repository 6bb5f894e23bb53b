// F7 over a whole document, as the editor runs it: from the check command to the
// completion report, with the dictionary block reads it took. Two documents of 10,000
// words: one without errors, and one whose 200 errors are all corrected from the
// auto-correct list.
//   spellcheck-bench DICTIONARY_FOLDER

#include "dictionary/TDCTFile.h"
#include "dictionary/TDictionary.h"
#include "platform/gui/TRichEdit.h"
#include "spell/TAbsSpellForm.h"
#include "spell/TSpellDlg.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int DocumentWords = 10000;
constexpr int Errors = 200;

// Known words of the dictionary: the first completions of every letter.
std::vector<std::string> KnownWords(TDictionary &dictionary)
{
    std::vector<std::string> words;
    for (char c = 'a'; c <= 'z'; ++c) {
        const auto list = dictionary.WordsStartingWith(AnsiText(std::string(1, c)), 40);
        for (const std::string &w : *list)
            if (w.size() >= 2 && dictionary.IsWord(AnsiText(w))
                && std::all_of(w.begin(), w.end(), [](char x) { return x >= 'a' && x <= 'z'; }))
                words.push_back(w);
    }
    return words;
}

// A text of known words in sentences and paragraphs; every errorEvery-th word is replaced
// by its misspelling (the word with "qx" added) when errorEvery is not 0.
QString Document(const std::vector<std::string> &words, int errorEvery)
{
    QString text;
    uint32_t seed = 12345;
    for (int i = 0; i < DocumentWords; ++i) {
        seed = seed * 1103515245u + 12345u;
        std::string word = words[(seed >> 8) % words.size()];
        if (errorEvery && i % errorEvery == errorEvery - 1)
            word = words[(i / errorEvery) % words.size()] + "qx";
        text += QString::fromStdString(word);
        text += (i % 97 == 96) ? ".\n" : (i % 13 == 12) ? ". " : " ";
    }
    return text;
}

struct Result
{
    double ms;
    uint64_t blockReads;
    int state;
};

Result RunCheck(TSpellDlg &spell, TRichEdit &edit, const QString &text, bool unsaved)
{
    edit.SetText(text);
    edit.SetModified(unsaved);
    TDictionary &dictionary = spell.Dictionary();
    auto reads = [&dictionary] {
        auto *file = static_cast<TDCTFile *>(dictionary.Files.Head());
        return file ? file->BlockReads() : 0;
    };
    QElapsedTimer timer;
    double reported = 0;
    spell.OnSpellCheckingComplete
        = [&](TCustomSpellDlg &, TSpellState) { reported = double(timer.nsecsElapsed()) / 1e6; };
    const uint64_t before = reads();
    timer.start();
    // A word that needs the user would wait forever: the run is cancelled and says so.
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&spell] {
        if (spell.Form && spell.Form->isVisible() && spell.Form->Choice == srNone) {
            std::fprintf(
                stderr, "unexpected question: %s\n",
                spell.Form->findChild<QLineEdit *>("edtBadWord")->text().toUtf8().constData());
            spell.Form->SetChoice(srCancel);
        }
    });
    cancel.start(50);
    const int state = spell.Check(&edit);
    return { reported, reads() - before, state };
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: spellcheck-bench DICTIONARY_FOLDER\n");
        return 2;
    }
    QTemporaryDir dir;
    QFile::copy(QDir(argv[1]).filePath("ENGLISH.DCT"), dir.filePath("ENGLISH.DCT"));

    QWidget window;
    TRichEdit edit(&window);
    TSpellDlg spell(&window);
    spell.SetDictionaryPath(dir.path().toStdString());
    spell.SetSupportRTF2(true);
    spell.SetIgnoreWithNumbers(true);
    spell.SetDictionaryActive(true);
    const std::vector<std::string> words = KnownWords(spell.Dictionary());

    // The auto-correct list: each misspelling and its word.
    QFile list(dir.filePath("autocorrect.txt"));
    list.open(QIODevice::WriteOnly);
    for (int i = 0; i < Errors; ++i) {
        const std::string &w = words[i % words.size()];
        list.write((w + "qx=" + w + "\n").c_str());
    }
    list.close();

    std::printf("%-34s %10s %12s %8s\n", "document (10,000 words)", "F7 to end", "block reads",
                "outcome");
    const int runs = 5;
    struct Case
    {
        const char *name;
        int errors;
        bool unsaved;
    };
    for (const Case &c :
         { Case { "no errors", 0, false }, Case { "no errors, unsaved changes", 0, true },
           Case { "200 errors, all auto-corrected", Errors, false } }) {
        std::vector<Result> results;
        for (int r = 0; r < runs; ++r) {
            if (c.errors) {
                // The pairs are loaded when a check activates the dictionary.
                spell.SetAutoCorrectList(dir.filePath("autocorrect.txt").toStdString());
                spell.SetDictionaryActive(false);
            }
            results.push_back(RunCheck(
                spell, edit, Document(words, c.errors ? DocumentWords / c.errors : 0), c.unsaved));
        }
        std::sort(results.begin(), results.end(),
                  [](const Result &a, const Result &b) { return a.ms < b.ms; });
        const Result &median = results[runs / 2];
        std::printf("%-34s %8.1f ms %12llu %8d\n", c.name, median.ms,
                    static_cast<unsigned long long>(median.blockReads), median.state);
    }
    return 0;
}
