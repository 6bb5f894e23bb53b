// What a recovery copy of a document costs the interface thread: the document is opened in
// the editor, then the median processor time of several runs is printed for the whole serialisation
// (what the copy once cost there) and for the part that still runs there (SaveLater), with the
// rest, which runs on the store's thread.
//   recovery-copy-bench FILE.rtf [RUNS]

#include "platform/core/FileUtils.h"
#include "platform/gui/TRichEdit.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <vector>

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Processor time of this process: the machines it runs on are shared.
double ProcessorMilliseconds()
{
    return double(std::clock()) * 1000.0 / CLOCKS_PER_SEC;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: recovery-copy-bench FILE.rtf [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
    const std::string bytes = FileUtils::ReadWholeFile(argv[1]);
    TRichEdit edit;
    edit.LoadFromBytes(bytes);
    std::vector<double> whole, snapshot, rest;
    size_t size = 0;
    for (int i = 0; i < runs; ++i) {
        const double t0 = ProcessorMilliseconds();
        size = edit.SaveToBytes().size();
        const double t1 = ProcessorMilliseconds();
        std::function<std::string()> later = edit.SaveLater();
        const double t2 = ProcessorMilliseconds();
        later();
        const double t3 = ProcessorMilliseconds();
        whole.push_back(t1 - t0);
        snapshot.push_back(t2 - t1);
        rest.push_back(t3 - t2);
    }
    std::printf("document: %zu bytes of Rich Text in, %zu out, %d characters\n", bytes.size(), size,
                edit.GetTextLen());
    std::printf("whole serialisation: %.1f ms\n", Median(whole));
    std::printf("on the interface thread now (SaveLater): %.1f ms\n", Median(snapshot));
    std::printf("on the store's thread (the bytes): %.1f ms\n", Median(rest));
    return 0;
}
