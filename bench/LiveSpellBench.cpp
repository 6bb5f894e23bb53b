// Checking while typing, timed in the editor's own widgets under the offscreen platform:
//   live-spell-bench DICTIONARY_FOLDER RTF_FILE
// 1. Typing: key events sent one at a time into the middle of a document of about
//    100,000 words (1,000 paragraphs), each timed until the event queue is empty; the
//    median and 99th percentile without checking, with it, and with it and the checks in
//    context (words and capitals, the model loaded, the children's ranking) as the main
//    window has them.
// 2. Opening RTF_FILE: the load plus the events that follow until the window answers
//    again, with and without checking; then how long the idle-time slices that check the
//    rest take at most, and until the whole document is checked.

#include "platform/gui/TRichEdit.h"
#include "spell/LiveSpellChecker.h"
#include "spell/TSpellDlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Paragraphs = 1000;
constexpr int WordsPerParagraph = 100;
constexpr int Keys = 1000;

const char *const Words[]
    = { "the", "little", "dragon",   "found", "a",  "shiny", "pebble", "beside", "river",
        "and", "freind", "wondered", "where", "it", "came",  "from",   "every",  "morning" };

// Events posted to it mark the end of what was queued before them.
class Sentinel : public QObject
{
public:
    int Seen = 0;
    bool event(QEvent *e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        ++Seen;
        return true;
    }
};

// Processes events until everything queued so far, and what that queued, has run.
void Drain(Sentinel &sentinel)
{
    for (int round = 0; round < 2; ++round) {
        const int target = sentinel.Seen + 1;
        QCoreApplication::postEvent(&sentinel, new QEvent(QEvent::User));
        while (sentinel.Seen < target)
            QCoreApplication::processEvents();
    }
}

double Percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

QString LargeDocument()
{
    QString text;
    for (int p = 0; p < Paragraphs; ++p) {
        for (int w = 0; w < WordsPerParagraph; ++w)
            text += QString(Words[(p * 7 + w) % std::size(Words)]) + ' ';
        text += '\n';
    }
    return text;
}

struct Editor
{
    QWidget window;
    TRichEdit *edit;
    TSpellDlg *spell;
    LiveSpellChecker *live;

    Editor(const char *dictionaryFolder, bool checking, bool inContext = false)
        : edit(new TRichEdit(&window))
        , spell(new TSpellDlg(&window))
        , live(new LiveSpellChecker(edit, spell))
    {
        window.resize(600, 400);
        edit->resize(600, 400);
        spell->SetDictionaryPath(dictionaryFolder);
        if (inContext) {
            spell->SetSuggestionRanking(rkChildren);
            spell->SetCheckWordsInContext(true);
            spell->SetCheckCapitals(true);
        }
        window.show();
        if (checking && !live->SetEnabled(true))
            std::exit(1);
        // The ranking's tree is built on another thread: finished before anything is timed.
        if (inContext) {
            spell->WordSuggestions(AnsiText("freind"));
            spell->WaitForContextModel();
        }
    }
    void WaitChecked(Sentinel &sentinel, double *longest = nullptr)
    {
        while (!live->Idle()) {
            QElapsedTimer slice;
            slice.start();
            QCoreApplication::processEvents();
            if (longest)
                *longest = std::max(*longest, static_cast<double>(slice.nsecsElapsed()) / 1e6);
        }
        Drain(sentinel);
    }
};

std::vector<double> TypingLatencies(const char *dictionaryFolder, bool checking, bool inContext)
{
    Sentinel sentinel;
    Editor editor(dictionaryFolder, checking, inContext);
    editor.edit->setPlainText(LargeDocument());
    editor.WaitChecked(sentinel);
    QTextCursor caret(editor.edit->document()->findBlockByNumber(Paragraphs / 2));
    caret.movePosition(QTextCursor::EndOfBlock);
    editor.edit->setTextCursor(caret);
    editor.edit->ensureCursorVisible();
    Drain(sentinel);
    // With sentence ends, so that the check in context reads what is typed.
    const QString typed = "my freind went to the libary. we go their on monday. ";
    std::vector<double> ms;
    for (int i = 0; i < Keys; ++i) {
        const QChar ch = typed[i % typed.size()];
        const int key = ch == ' ' ? Qt::Key_Space : Qt::Key_A + (ch.unicode() - 'a');
        QElapsedTimer t;
        t.start();
        QCoreApplication::postEvent(editor.edit,
                                    new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, ch));
        QCoreApplication::postEvent(editor.edit,
                                    new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, ch));
        Drain(sentinel);
        ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    return ms;
}

void Opening(const char *dictionaryFolder, const char *rtf, bool checking)
{
    std::vector<double> opens;
    double longest = 0, whole = 0;
    for (int run = 0; run < 5; ++run) {
        Sentinel sentinel;
        Editor editor(dictionaryFolder, checking);
        editor.WaitChecked(sentinel);
        QElapsedTimer t;
        t.start();
        editor.edit->LoadFromFile(rtf);
        Drain(sentinel);
        opens.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        editor.WaitChecked(sentinel, &longest);
        whole = std::max(whole, static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::printf("open %s: %.1f ms (median of 5)",
                checking ? "with checking   " : "without checking", Percentile(opens, 0.5));
    if (checking)
        std::printf(", longest idle slice %.1f ms, whole document checked after %.0f ms", longest,
                    whole);
    std::printf("\n");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: live-spell-bench DICTIONARY_FOLDER RTF_FILE\n");
        return 2;
    }
    struct Run
    {
        const char *name;
        bool checking, inContext;
    };
    for (const Run &run : { Run { "without checking       ", false, false },
                            Run { "with checking          ", true, false },
                            Run { "with checking, context ", true, true } }) {
        const std::vector<double> ms = TypingLatencies(argv[1], run.checking, run.inContext);
        std::printf("typing %s: median %.3f ms, p99 %.3f ms (%d keys, %d words)\n", run.name,
                    Percentile(ms, 0.5), Percentile(ms, 0.99), Keys,
                    Paragraphs * WordsPerParagraph);
    }
    Opening(argv[1], argv[2], false);
    Opening(argv[1], argv[2], true);
    return 0;
}
