// Loads and saves a Rich Text file through the editor's document the way Open and Save do,
// and prints the median times of several runs:
//   rtf-load-bench FILE [RUNS]
// With --make OUT SIZE_KB it writes a sample document of about that size instead.

#include "platform/core/FileUtils.h"
#include "platform/gui/RichTextAdapter.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void MakeSample(const char *path, int kilobytes)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    const char *words[] = { "Once",  "upon",     "a",     "time",   "a",      "little", "dragon",
                            "found", "a",        "shiny", "pebble", "beside", "the",    "river",
                            "and",   "wondered", "where", "it",     "came",   "from." };
    int n = 0;
    while (doc.characterCount() < kilobytes * 700) {
        QTextCharFormat f;
        f.setFontWeight(n % 7 == 0 ? QFont::Bold : QFont::Normal);
        f.setFontItalic(n % 11 == 0);
        f.setForeground(n % 13 == 0 ? QColor(200, 30, 30) : QColor(0, 0, 0));
        f.setFontPointSize(n % 17 == 0 ? 16 : 12);
        c.insertText(
            QString(words[n % 20]) + (n % 31 == 0 ? QString::fromUtf8(" caf\xc3\xa9 ") : " "), f);
        if (++n % 120 == 0)
            c.insertBlock();
    }
    FileUtils::WriteFileSafely(path, WriteRichText(doc));
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--make") == 0) {
        MakeSample(argv[2], std::atoi(argv[3]));
        return 0;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: rtf-load-bench FILE [RUNS] | --make OUT SIZE_KB\n");
        return 2;
    }
    const std::string bytes = FileUtils::ReadWholeFile(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
    std::vector<double> loads, saves;
    for (int i = 0; i < runs; ++i) {
        QTextDocument doc;
        auto t0 = std::chrono::steady_clock::now();
        ReadRichText(bytes, doc);
        auto t1 = std::chrono::steady_clock::now();
        const std::string out = WriteRichText(doc);
        auto t2 = std::chrono::steady_clock::now();
        loads.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        saves.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
    }
    std::printf("%s: %zu bytes, load %.1f ms, save %.1f ms (medians of %d)\n", argv[1],
                bytes.size(), Median(loads), Median(saves), runs);
    return 0;
}
