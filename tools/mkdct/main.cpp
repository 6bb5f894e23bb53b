// mkdct: builds a .DCT dictionary file from UTF-8 word lists ("word" or "word<TAB>rank"
// per line), checks the written file against the words, and prints a summary.

#include "dictionary/DctBuilder.h"
#include "platform/core/FileUtils.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char *Usage = "usage: mkdct [-o OUT] [--quiet] LIST...\n"
                              "  Builds the dictionary OUT (default ENGLISH.DCT) from word lists\n"
                              "  in UTF-8, one \"word\" or \"word<TAB>rank\" a line; a LIST of -\n"
                              "  reads standard input. Exit status 0 on success, 2 on any error.\n";

struct Failure
{
    std::string message;
    bool showUsage = false; // a mistake in the command line
};

struct Options
{
    std::string output = "ENGLISH.DCT";
    bool quiet = false;
    std::vector<std::string> lists;
};

Options ParseArguments(int argc, char **argv)
{
    Options options;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            options.lists.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-o") {
            if (++i == argc)
                throw Failure { "-o needs a file name", true };
            options.output = argv[i];
        } else if (arg == "--quiet" || arg == "-q") {
            options.quiet = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(Usage, stdout);
            std::exit(0);
        } else {
            throw Failure { "unknown option " + arg, true };
        }
    }
    if (options.lists.empty())
        throw Failure { "no word list given", true };
    return options;
}

void ReadList(const std::string &name, DctBuilder &builder)
{
    const bool isStdin = name == "-";
    std::FILE *in = isStdin ? stdin : std::fopen(name.c_str(), "rb");
    if (!in)
        throw Failure { "cannot open word list " + name + ": " + std::strerror(errno) };
    char *line = nullptr;
    size_t capacity = 0;
    ssize_t length;
    while ((length = getline(&line, &capacity, in)) >= 0) {
        std::string_view text(line, size_t(length));
        if (!text.empty() && text.back() == '\n')
            text.remove_suffix(1);
        builder.AddUtf8Line(text);
    }
    const int err = errno;
    const bool failed = std::ferror(in);
    std::free(line);
    if (!isStdin)
        std::fclose(in);
    if (failed)
        throw Failure { "cannot read word list "
                        + (isStdin ? std::string("(standard input)") : name) + ": "
                        + std::strerror(err) };
}

// Writes the file next to the target, checks it, and only then renames it over the target,
// so a file that fails the check never replaces a working dictionary.
void WriteVerified(const std::string &output, const std::string &bytes, const DctBuilder &builder)
{
    const std::string staged = output + ".mkdct-" + std::to_string(getpid());
    try {
        FileUtils::WriteFileSafely(staged, bytes);
    } catch (const std::exception &) {
        throw Failure { "Cannot create file " + output };
    }
    try {
        VerifyDct(staged, builder.Words());
    } catch (const DctVerifyError &e) {
        std::remove(staged.c_str());
        throw Failure { std::string("the written dictionary fails its check: ") + e.what() };
    }
    if (std::rename(staged.c_str(), output.c_str()) != 0) {
        const int err = errno;
        std::remove(staged.c_str());
        throw Failure { "Cannot create file " + output + ": " + std::strerror(err) };
    }
}

} // namespace

int main(int argc, char **argv)
{
    try {
        const Options options = ParseArguments(argc, argv);
        DctBuilder builder;
        for (const std::string &list : options.lists)
            ReadList(list, builder);
        const std::string bytes = builder.Build();
        WriteVerified(options.output, bytes, builder);
        const DctBuilder::Stats &s = builder.stats();
        if (s.wordsKept == 0)
            std::fprintf(stderr, "mkdct: warning: %s holds no words\n", options.output.c_str());
        if (!options.quiet)
            std::printf("mkdct: %s: %zu words, %u nodes, %zu bytes (skipped: %zu code page, "
                        "%zu too long, %zu 's, %zu bad rank; %zu duplicates)\n",
                        options.output.c_str(), s.wordsKept, s.nodes, bytes.size(),
                        s.skippedCodePage, s.skippedTooLong, s.skippedPossessive, s.skippedBadRank,
                        s.duplicates);
        return 0;
    } catch (const Failure &f) {
        std::fprintf(stderr, "mkdct: %s\n", f.message.c_str());
        if (f.showUsage)
            std::fputs(Usage, stderr);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "mkdct: %s\n", e.what());
    }
    return 2;
}
