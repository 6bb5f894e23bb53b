// Loads and saves a Rich Text file the way Open and Save do, and prints the median times of
// several runs:
//   rtf-load-bench FILE [RUNS]          the reader into a document, and the writer
//   rtf-load-bench --editor FILE [RUNS] Open into the editor, until its layout is complete
//                                       (a FILE ending in .txt opens as plain text)
// With --make OUT SIZE_KB it writes a sample document of about that size instead; with
// --make-line OUT CHARACTERS one paragraph of letters without a space (plain text when OUT
// ends in .txt), with --make-table OUT ROWS COLUMNS a table of short cells.

#include "platform/core/FileUtils.h"
#include "platform/core/rtf/RtfWriter.h"
#include "platform/gui/RichTextAdapter.h"
#include "platform/gui/TRichEdit.h"

#include <QApplication>
#include <QBasicTimer>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Milliseconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// A story of formatted words, 120 to a paragraph, written straight from the document model
// so that making a large sample takes no longer than writing it.
void MakeSample(const char *path, int kilobytes)
{
    const char16_t *words[]
        = { u"Once",  u"upon",     u"a",     u"time",   u"a",      u"little", u"dragon",
            u"found", u"a",        u"shiny", u"pebble", u"beside", u"the",    u"river",
            u"and",   u"wondered", u"where", u"it",     u"came",   u"from." };
    RtfDocument document;
    size_t characters = 0;
    RtfParagraph paragraph;
    for (int n = 0; characters < size_t(kilobytes) * 700; ++n) {
        RtfRun run;
        run.format.fontFamily = u"Liberation Serif";
        run.format.bold = n % 7 == 0;
        run.format.italic = n % 11 == 0;
        if (n % 13 == 0)
            run.format.color = RtfColor { 200, 30, 30 };
        run.format.sizeHalfPoints = n % 17 == 0 ? 32 : 24;
        run.text = std::u16string(words[n % 20]) + (n % 31 == 0 ? u" café " : u" ");
        characters += run.text.size();
        paragraph.runs.push_back(std::move(run));
        if ((n + 1) % 120 == 0)
            document.paragraphs.push_back(std::move(paragraph)), paragraph = {};
    }
    document.paragraphs.push_back(std::move(paragraph));
    NormalizeRtf(document);
    FileUtils::WriteFileSafely(path, WriteRtf(document));
}

void MakeLine(const std::string &path, int characters)
{
    std::u16string line;
    for (int i = 0; i < characters; ++i)
        line += char16_t(u'a' + i % 26);
    if (path.ends_with(".txt")) {
        FileUtils::WriteFileSafely(path, std::string(line.begin(), line.end()) + "\n");
        return;
    }
    RtfDocument document;
    RtfRun run;
    run.text = line;
    document.paragraphs.emplace_back().runs.push_back(std::move(run));
    NormalizeRtf(document);
    FileUtils::WriteFileSafely(path, WriteRtf(document));
}

void MakeTable(const std::string &path, int rows, int columns)
{
    RtfDocument document;
    RtfTable &table = document.tables.emplace_back();
    for (int r = 0; r < rows; ++r) {
        RtfTableRow &row = table.rows.emplace_back();
        for (int c = 0; c < columns; ++c) {
            RtfTableCell &cell = row.cells.emplace_back();
            cell.width = 1000;
            RtfRun run;
            const std::string text = "r" + std::to_string(r) + "c" + std::to_string(c);
            run.text.assign(text.begin(), text.end());
            cell.paragraphs.emplace_back().runs.push_back(std::move(run));
        }
    }
    document.paragraphs.emplace_back(); // the paragraph after the table
    NormalizeRtf(document);
    FileUtils::WriteFileSafely(path, WriteRtf(document));
}

// Processor time of this process: the machines it runs on are shared.
double ProcessorMilliseconds()
{
    return double(std::clock()) * 1000.0 / CLOCKS_PER_SEC;
}

struct EditorTimes
{
    double open = 0; // until LoadFromBytes returns: the part under the progress bar
    double whole = 0; // until the layout of the whole text is complete
    double longest = 0; // the longest event-loop pass of the layout after Open
    double usable = 0; // wall-clock time until Open returns
    double settled = 0; // wall-clock time until the whole text is laid out
    double blocked = 0; // the longest wall-clock gap between two turns of the event loop
};

// The interface thread's processor time: on a shared machine, the wall clock also counts
// the time other processes had the processor.
double ThreadMilliseconds()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

// The most work the event loop did without turning, seen by a timer asking every 10 ms:
// the processor time of the interface thread between two of its turns.
class GapWatch : public QObject
{
public:
    GapWatch()
        : FLast(ThreadMilliseconds())
    {
        FTimer.start(10, this);
    }
    double Longest() const { return FLongest; }

protected:
    void timerEvent(QTimerEvent *) override
    {
        const double now = ThreadMilliseconds();
        FLongest = std::max(FLongest, now - FLast);
        FLast = now;
    }

private:
    QBasicTimer FTimer;
    double FLast;
    double FLongest = 0;
};

// Open as the main window does it, then the event loop until the editor has laid out the
// whole text, as it does while the window is idle.
EditorTimes EditorLoad(const std::string &bytes, bool plainText)
{
    TRichEdit edit;
    edit.SetPlainText(plainText);
    edit.resize(800, 600);
    edit.show();
    QApplication::processEvents();
    EditorTimes times;
    const auto wallStart = Clock::now();
    const double start = ProcessorMilliseconds();
    GapWatch gaps;
    edit.LoadFromBytes(bytes);
    times.open = ProcessorMilliseconds() - start;
    times.usable = Milliseconds(wallStart, Clock::now());
    std::fprintf(stderr,
                 "  opened: %.0f ms of processor time, %.0f ms wall clock, event loop held "
                 "at most %.0f ms so far\n",
                 times.open, times.usable, gaps.Longest());
    const QTextBlock last = edit.document()->lastBlock();
    while (!last.layout() || last.layout()->lineCount() == 0) {
        const double before = ProcessorMilliseconds();
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        times.longest = std::max(times.longest, ProcessorMilliseconds() - before);
    }
    times.whole = ProcessorMilliseconds() - start;
    times.settled = Milliseconds(wallStart, Clock::now());
    times.blocked = gaps.Longest();
    return times;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--make") == 0) {
        MakeSample(argv[2], std::atoi(argv[3]));
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--make-line") == 0) {
        MakeLine(argv[2], std::atoi(argv[3]));
        return 0;
    }
    if (argc == 5 && std::strcmp(argv[1], "--make-table") == 0) {
        MakeTable(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
        return 0;
    }
    const bool editor = argc > 1 && std::strcmp(argv[1], "--editor") == 0;
    const int first = editor ? 2 : 1;
    if (argc <= first) {
        std::fprintf(stderr, "usage: rtf-load-bench [--editor] FILE [RUNS] | --make OUT SIZE_KB\n");
        return 2;
    }
    const std::string bytes = FileUtils::ReadWholeFile(argv[first]);
    const int runs = argc > first + 1 ? std::max(1, std::atoi(argv[first + 1])) : 9;
    const bool plainText = std::string_view(argv[first]).ends_with(".txt");
    std::vector<double> loads, saves, opens, longest, usable, settled, blocked;
    for (int i = 0; i < runs; ++i) {
        if (editor) {
            const EditorTimes times = EditorLoad(bytes, plainText);
            loads.push_back(times.whole);
            opens.push_back(times.open);
            longest.push_back(times.longest);
            usable.push_back(times.usable);
            settled.push_back(times.settled);
            blocked.push_back(times.blocked);
            continue;
        }
        QTextDocument doc;
        const auto t0 = Clock::now();
        ReadRichText(bytes, doc);
        const auto t1 = Clock::now();
        const std::string out = WriteRichText(doc);
        saves.push_back(Milliseconds(t1, Clock::now()));
        loads.push_back(Milliseconds(t0, t1));
    }
    if (editor) {
        std::printf("%s: %zu bytes, open in the editor %.0f ms of processor time, of which %.0f ms "
                    "until Open returns; longest layout pass after it %.0f ms (medians of %d)\n",
                    argv[first], bytes.size(), Median(loads), Median(opens), Median(longest), runs);
        std::printf("  wall clock: usable after %.0f ms, all laid out after %.0f ms; event loop "
                    "held at most %.0f ms of processor time at a time (medians of %d)\n",
                    Median(usable), Median(settled), Median(blocked), runs);
    } else
        std::printf("%s: %zu bytes, load %.1f ms, save %.1f ms (medians of %d)\n", argv[first],
                    bytes.size(), Median(loads), Median(saves), runs);
    return 0;
}
