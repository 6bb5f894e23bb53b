// Runs a spell checker as a separate process and measures it from the outside, the same way
// for every checker:
//
//   checker-bench check RUNS TEXT -- COMMAND [ARG]...
//       Feeds TEXT to COMMAND on standard input RUNS times and prints one line:
//       "words W seconds S maxrss_kb M flagged F": the words of TEXT, the median wall time
//       of a whole process, the median peak resident memory, and the lines it printed.
//   checker-bench suggest CORPUS -- COMMAND [ARG]...
//       Talks the spell-checker pipe protocol (-a) with COMMAND: one misspelling of CORPUS
//       ("misspelling<TAB>correction[<TAB>count]" lines) at a time, timing each answer.
//       Prints "pairs N median_us A p95_us B first F top5 G top10 H accepted K flagged_first
//       L" (shares in percent; L: the right word first among the misspellings the checker
//       did not accept, which no suggestion list can help). Misspellings holding a space are
//       skipped; words compare ignoring case.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <signal.h>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void Fail(const std::string &message)
{
    std::fprintf(stderr, "checker-bench: %s\n", message.c_str());
    std::exit(2);
}

template<class T> T Median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template<class T> T Percentile(std::vector<T> values, double p)
{
    std::sort(values.begin(), values.end());
    const size_t i = std::min(values.size() - 1, size_t(p * double(values.size())));
    return values[i];
}

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
    return out;
}

// Runs of letters and apostrophes that hold a letter: the words every checker sees. A
// letter is an ASCII letter or an accented Latin letter in UTF-8 (a lead byte C3..C5 and
// the byte after it), so "Mañana" is one word.
size_t CountWords(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        Fail("cannot read " + path);
    size_t words = 0;
    bool inWord = false, hasLetter = false, afterLead = false;
    char c;
    while (in.get(c)) {
        const auto byte = static_cast<unsigned char>(c);
        const bool lead = byte >= 0xC3 && byte <= 0xC5;
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || lead
            || (afterLead && byte >= 0x80 && byte <= 0xBF);
        afterLead = lead;
        if (letter || c == '\'') {
            inWord = true;
            hasLetter = hasLetter || letter;
            continue;
        }
        if (inWord && hasLetter)
            ++words;
        inWord = hasLetter = false;
    }
    return words + (inWord && hasLetter ? 1 : 0);
}

struct Child
{
    pid_t pid = -1;
    int in = -1; // its standard input, for writing
    int out = -1; // its standard output, for reading
};

// Starts command; stdinFile, when given, becomes its standard input instead of a pipe.
Child Spawn(const std::vector<char *> &command, const char *stdinFile)
{
    int toChild[2] = { -1, -1 }, fromChild[2];
    if ((!stdinFile && pipe(toChild) != 0) || pipe(fromChild) != 0)
        Fail("pipe failed");
    Child child;
    child.pid = fork();
    if (child.pid < 0)
        Fail("fork failed");
    if (child.pid == 0) {
        const int input = stdinFile ? open(stdinFile, O_RDONLY) : toChild[0];
        if (input < 0)
            _exit(127);
        dup2(input, STDIN_FILENO);
        dup2(fromChild[1], STDOUT_FILENO);
        for (int fd : { toChild[0], toChild[1], fromChild[0], fromChild[1] })
            if (fd >= 0)
                close(fd);
        execvp(command[0], command.data());
        _exit(127);
    }
    if (!stdinFile) {
        close(toChild[0]);
        child.in = toChild[1];
    }
    close(fromChild[1]);
    child.out = fromChild[0];
    return child;
}

// Waits for the child; returns its peak resident memory in KB.
long Reap(pid_t pid)
{
    int status = 0;
    struct rusage usage
    {
    };
    if (wait4(pid, &status, 0, &usage) < 0)
        Fail("wait failed");
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
        Fail("the command could not be run");
    return usage.ru_maxrss;
}

int RunCheck(int runs, const std::string &text, const std::vector<char *> &command)
{
    const size_t words = CountWords(text);
    std::vector<double> seconds;
    std::vector<long> rss;
    size_t flagged = 0;
    char buffer[1 << 16];
    for (int r = 0; r < runs; ++r) {
        const auto start = Clock::now();
        Child child = Spawn(command, text.c_str());
        size_t lines = 0;
        ssize_t n;
        while ((n = read(child.out, buffer, sizeof buffer)) != 0) {
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                Fail("read failed");
            }
            lines += size_t(std::count(buffer, buffer + n, '\n'));
        }
        close(child.out);
        rss.push_back(Reap(child.pid));
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        flagged = lines;
    }
    std::printf("words %zu seconds %.4f maxrss_kb %ld flagged %zu\n", words, Median(seconds),
                Median(rss), flagged);
    return 0;
}

// Reads one line (without its end) from fd; false at the end of the output.
bool ReadLine(int fd, std::string &pending, std::string &line)
{
    for (;;) {
        if (const size_t nl = pending.find('\n'); nl != std::string::npos) {
            line.assign(pending, 0, nl);
            pending.erase(0, nl + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
        char buffer[4096];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        pending.append(buffer, size_t(n));
    }
}

// The suggestions of an "& word count offset: a, b, c" line.
std::vector<std::string> Suggestions(const std::string &line)
{
    std::vector<std::string> out;
    const size_t colon = line.find(": ");
    if (colon == std::string::npos)
        return out;
    size_t pos = colon + 2;
    while (pos <= line.size()) {
        size_t comma = line.find(", ", pos);
        if (comma == std::string::npos)
            comma = line.size();
        out.push_back(line.substr(pos, comma - pos));
        pos = comma + 2;
    }
    return out;
}

int RunSuggest(const std::string &corpus, const std::vector<char *> &command)
{
    struct Pair
    {
        std::string wrong, right;
    };
    std::vector<Pair> pairs;
    std::ifstream in(corpus);
    if (!in)
        Fail("cannot read " + corpus);
    for (std::string line; std::getline(in, line);) {
        const size_t tab = line.find('\t');
        if (tab == std::string::npos)
            continue;
        const size_t tab2 = line.find('\t', tab + 1);
        Pair p { line.substr(0, tab),
                 line.substr(tab + 1,
                             tab2 == std::string::npos ? std::string::npos : tab2 - tab - 1) };
        if (p.wrong.empty() || p.wrong.find(' ') != std::string::npos)
            continue;
        pairs.push_back(std::move(p));
    }
    if (pairs.empty())
        Fail(corpus + " holds no pairs");

    signal(SIGPIPE, SIG_IGN);
    Child child = Spawn(command, nullptr);
    std::string pending, line;
    if (!ReadLine(child.out, pending, line)) // the banner
        Fail("no banner from the checker");
    std::vector<double> micros;
    size_t first = 0, top5 = 0, top10 = 0, accepted = 0;
    for (const Pair &p : pairs) {
        const std::string request = "^" + p.wrong + "\n";
        const auto start = Clock::now();
        if (write(child.in, request.data(), request.size()) != ssize_t(request.size()))
            Fail("write to the checker failed");
        // One answer line per word the checker found in the line, then an empty line.
        bool allKnown = true, ranked = false;
        std::vector<std::string> list;
        for (;;) {
            if (!ReadLine(child.out, pending, line))
                Fail("the checker ended early");
            if (line.empty())
                break;
            const char kind = line[0];
            if (kind == '&' || kind == '#') {
                allKnown = false;
                if (kind == '&' && !ranked) {
                    list = Suggestions(line);
                    ranked = true;
                }
            }
        }
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        if (allKnown) {
            ++accepted;
            continue;
        }
        const std::string right = Lower(p.right);
        for (size_t i = 0; i < list.size() && i < 10; ++i) {
            if (Lower(list[i]) != right)
                continue;
            first += i == 0;
            top5 += i < 5;
            ++top10;
            break;
        }
    }
    close(child.in);
    close(child.out);
    Reap(child.pid);
    const double n = double(pairs.size());
    const double flagged = std::max(1.0, n - double(accepted));
    std::printf("pairs %zu median_us %.1f p95_us %.1f first %.1f top5 %.1f top10 %.1f accepted "
                "%.1f flagged_first %.1f\n",
                pairs.size(), Median(micros), Percentile(micros, 0.95), 100.0 * double(first) / n,
                100.0 * double(top5) / n, 100.0 * double(top10) / n, 100.0 * double(accepted) / n,
                100.0 * double(first) / flagged);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<char *> command;
    int dashes = 0;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--") == 0) {
            dashes = i;
            break;
        }
    if (dashes == 0 || dashes + 1 >= argc)
        Fail("usage: checker-bench check RUNS TEXT -- COMMAND... | suggest CORPUS -- COMMAND...");
    command.assign(argv + dashes + 1, argv + argc);
    command.push_back(nullptr);
    const std::string mode = argv[1];
    if (mode == "check" && dashes == 4)
        return RunCheck(std::max(1, std::atoi(argv[2])), argv[3], command);
    if (mode == "suggest" && dashes == 3)
        return RunSuggest(argv[2], command);
    Fail("unknown mode or wrong arguments");
}
