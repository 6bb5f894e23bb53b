// Runs the built scrivlo-spell program on small dictionaries made for each test.

#include "dictionary/DctBuilder.h"
#include "tests/support/SpanishDct.h"
#include "tests/support/TempDir.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

extern char **environ;

using namespace std::string_literals;

namespace {

struct RunResult
{
    int status = -1; // exit status, -1 when the program did not exit normally
    std::string out;
    std::string err;
    long peakKB = 0; // the program's peak resident memory
};

// Runs the program with input on a pipe (standard input is never a regular file here),
// written repeat times.
RunResult RunTool(const std::vector<std::string> &args, std::string_view input = {},
                  size_t repeat = 1)
{
    static const bool ignoreSigpipe = (std::signal(SIGPIPE, SIG_IGN), true);
    (void)ignoreSigpipe;
    TempDir io;
    const std::string outPath = io.file("out"), errPath = io.file("err");
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], STDIN_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT,
                                     0600);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    const std::string program = SCRIVLO_BIN_DIR "/scrivlo-spell";
    std::vector<char *> argv { const_cast<char *>(program.c_str()) };
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid;
    const int spawned
        = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(fds[0]);
    if (spawned != 0) {
        ::close(fds[1]);
        throw std::runtime_error("cannot start " + program);
    }
    // The program may stop reading early (an error); the rest of the input is then dropped.
    for (size_t done = 0; done < input.size() * repeat;) {
        const size_t at = done % input.size();
        const ssize_t n = ::write(fds[1], input.data() + at, input.size() - at);
        if (n <= 0)
            break;
        done += size_t(n);
    }
    ::close(fds[1]);
    int wstatus = 0;
    struct rusage usage
    {
    };
    ::wait4(pid, &wstatus, 0, &usage);
    return { WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1, io.read("out"), io.read("err"),
             usage.ru_maxrss };
}

std::string Replace(std::string text, std::string_view from, std::string_view to)
{
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

const std::vector<std::string> SmallWords = { "cart", "cat", "cats", "coat", "cot", "cut" };
const std::vector<std::string> TextWords
    = { "a",     "cat", "cats", "dog", "don't", "happy", "is",
        "known", "mat", "on",   "sat", "the",   "well",  "caf\x82" }; // café in code page 437

// A folder with TEST.DCT; the user list would live beside it.
class SpellTool : public ::testing::Test
{
protected:
    // The user's data folder, where the editor keeps learned words, is the test's own.
    SpellTool() { ::setenv("XDG_DATA_HOME", data.path().c_str(), 1); }
    ~SpellTool() override { ::unsetenv("XDG_DATA_HOME"); }
    void UseWords(const std::vector<std::string> &words)
    {
        dict = dir.write("TEST.DCT", BuildDct(words));
    }
    // The cases of this fixture are about unknown words: they check without context unless
    // they ask for it.
    RunResult Spell(std::vector<std::string> args, std::string_view input = {}, size_t repeat = 1)
    {
        args.insert(args.begin(), { "--dict", dict });
        if (!inContext)
            args.insert(args.begin(), "--no-context");
        return RunTool(args, input, repeat);
    }
    std::vector<std::string> FolderEntries() const
    {
        std::vector<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(dir.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir;
    TempDir data;
    std::string dict;
    bool inContext = false;
};

// Every check case runs once on standard input and once on a named file; F in the
// expected report stands for the name printed.
struct CheckCase
{
    const char *name;
    std::string text;
    std::string report;
    int status;
};

void PrintTo(const CheckCase &c, std::ostream *out)
{
    *out << c.name;
}

const CheckCase CheckCases[] = {
    { "AllKnown", "the dog is happy.\n", "", 0 },
    { "LfLines", "the dog\niz happy\nthe mat\n", "F:2:1: iz\n", 1 },
    { "CrLfLines", "the dog\r\nsat teh mat\r\n\r\nzz cat", "F:2:5: teh\nF:4:1: zz\n", 1 },
    { "LoneCrLines", "the\rdog\r\rzzz\n", "F:4:1: zzz\n", 1 },
    { "LfThenCrIsTwoLineEnds", "a\r\nb\n\rcc", "F:4:1: cc\n", 1 },
    { "SkipsShortAndDigitOnlyWords", "x 7 42 1999 a1 2nd x\n", "F:1:13: a1\nF:1:16: 2nd\n", 1 },
    { "HyphenSplitsApostropheJoins", "well-known, don't dog's (cat).", "", 0 },
    { "ColumnsCountCodePoints", "h\xC3\xA9llo zzz \xF0\x9F\x98\x80 qqq\n",
      "F:1:1: h\xC3\xA9llo\nF:1:7: zzz\nF:1:13: qqq\n", 1 },
    { "AccentedWordUtf8", "caf\xC3\xA9 caf\xC3\xA8\n", "F:1:6: caf\xC3\xA8\n", 1 },
    { "AccentedWordCodePage1252", "caf\xE9 caf\xE8\n", "F:1:6: caf\xC3\xA8\n", 1 },
    { "ByteOrderMarkIsNoCharacter", "\xEF\xBB\xBFzzz", "F:1:1: zzz\n", 1 },
    { "RunOf49IsAWord", "the " + std::string(49, 'q'), "F:1:5: " + std::string(49, 'q') + "\n", 1 },
};

class CheckReport : public SpellTool,
                    public ::testing::WithParamInterface<std::tuple<CheckCase, bool>>
{
};

TEST_P(CheckReport, ListsUnknownWordsWithLineAndColumn)
{
    const auto &[c, fromFile] = GetParam();
    UseWords(TextWords);
    RunResult r;
    std::string name = "-";
    if (fromFile) {
        name = dir.write("text.txt", c.text);
        r = Spell({ "check", name });
    } else {
        r = Spell({ "check" }, c.text);
    }
    EXPECT_EQ(r.out, Replace(c.report, "F:", name + ":"));
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, c.status);
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckReport,
                         ::testing::Combine(::testing::ValuesIn(CheckCases), ::testing::Bool()),
                         [](const auto &test) {
                             return std::string(std::get<0>(test.param).name)
                                 + (std::get<1>(test.param) ? "_File" : "_Stdin");
                         });

// Long texts are read in pieces: a CR LF, a UTF-8 sequence or a word cut by a piece end
// must read as if whole. The padding moves the piece ends across every place in a line.
class CheckLongText : public SpellTool, public ::testing::WithParamInterface<std::tuple<int, bool>>
{
};

TEST_P(CheckLongText, ReadsAcrossPieceEnds)
{
    const auto [padding, utf8] = GetParam();
    const std::string e = utf8 ? "\xC3\xA9" : "\xE9";
    std::string text(padding, ' ');
    for (int i = 0; i < 8000; ++i)
        text += "dog cat\r\n";
    text += "caf" + e + "\n" + std::string(padding, ' ');
    for (int i = 0; i < 20000; ++i)
        text += "caf" + e + " dog\r\n";
    text += "zzz\r\n";
    UseWords(TextWords);

    const std::string file = dir.write("long.txt", text);
    const RunResult fromFile = Spell({ "check", file });
    EXPECT_EQ(fromFile.out, file + ":28002:1: zzz\n");
    EXPECT_EQ(fromFile.status, 1);
    const RunResult fromPipe = Spell({ "check" }, text);
    EXPECT_EQ(fromPipe.out, "-:28002:1: zzz\n");
    EXPECT_EQ(fromPipe.status, 1);
}

INSTANTIATE_TEST_SUITE_P(Paddings, CheckLongText,
                         ::testing::Combine(::testing::Range(0, 11), ::testing::Bool()));

// A run of 50 or more word characters (a checksum, a hex dump) is one unknown word and
// hides nothing after it: not in the same piece, not across piece ends.
TEST_F(SpellTool, LongRunIsOneUnknownWordAndTheCheckGoesOn)
{
    UseWords(TextWords);
    const std::string checksum = "3f2a" + std::string(60, '9');
    const std::string endless(70000, 'q'); // longer than a piece and than what is shown
    const std::string text = "the: " + checksum + "\nthe zzz is " + endless + ".\nyyy\n";
    const std::string report = "F:1:6: " + checksum
        + "\nF:2:5: zzz\nF:2:12: " + std::string(256, 'q') + "...\nF:3:1: yyy\n";
    const std::string file = dir.write("text.txt", text);
    for (const RunResult &r : { Spell({ "check", file }), Spell({ "check" }, text) }) {
        const std::string name = r.out.starts_with(file) ? file : "-";
        EXPECT_EQ(r.out, Replace(report, "F:", name + ":"));
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.status, 1);
    }
}

// Standard input is checked as it comes, never held whole, whatever its encoding.
TEST_F(SpellTool, PipedInputIsNotHeldInMemory)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's own memory hides the program's";
#endif
    UseWords(TextWords);
    std::string lines; // written over and over: the test's memory counts in the peak

    while (lines.size() < 60000)
        lines += "caf\xC3\xA9 dog cat\ncaf\xE9 dog cat\n";
    const RunResult r = Spell({ "check" }, lines, 400); // 24 MB
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 0);
    EXPECT_LT(r.peakKB, 16 * 1024);
}

TEST_F(SpellTool, UnreadableFileIsReportedAndTheOthersChecked)
{
    UseWords(TextWords);
    const std::string good = dir.write("good.txt", "zzz\n");
    const RunResult r
        = Spell({ "check", "-", dir.file("missing.txt"), dir.path(), good }, "the qqq");
    EXPECT_EQ(r.out, "-:1:5: qqq\n" + good + ":1:1: zzz\n");
    EXPECT_NE(r.err.find(dir.file("missing.txt")), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("cannot read " + dir.path()), std::string::npos) << "a folder: " << r.err;
    EXPECT_EQ(r.status, 2);
}

TEST_F(SpellTool, MissingDictionaryIsNamed)
{
    const std::string missing = dir.file("NONE.DCT");
    const RunResult r = RunTool({ "--dict", missing, "check" }, "cat");
    EXPECT_EQ(r.err, "Dictionary not found: " + missing + ".\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 2);
}

TEST_F(SpellTool, WrongHeaderIsCorrupt)
{
    std::string bytes = BuildDct(SmallWords);
    bytes[1] ^= 0x20;
    dict = dir.write("TEST.DCT", bytes);
    const RunResult r = Spell({ "suggest", "cet" });
    EXPECT_EQ(r.err, "Dictionary Corrupt.\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 2);
}

class UsageError : public SpellTool, public ::testing::WithParamInterface<std::vector<std::string>>
{
};

TEST_P(UsageError, ExitsWithStatus2AndDoesNothing)
{
    UseWords(SmallWords);
    const RunResult r = Spell(GetParam(), "cet\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, UsageError,
    ::testing::Values(std::vector<std::string> { "--max", "0", "suggest", "cet" },
                      std::vector<std::string> { "--max", "256", "suggest", "cet" },
                      std::vector<std::string> { "--max", "3x", "suggest", "cet" },
                      std::vector<std::string> { "--max", "-1", "suggest", "cet" },
                      std::vector<std::string> { "--max=", "suggest", "cet" },
                      std::vector<std::string> { "--max", "99999999999", "check" },
                      std::vector<std::string> { "--max" },
                      std::vector<std::string> { "--frob", "check" }, std::vector<std::string> {},
                      std::vector<std::string> { "spell", "cet" }));

TEST_F(SpellTool, HelpPrintsUsage)
{
    const RunResult r = RunTool({ "--help" });
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with("Usage: scrivlo-spell")) << r.out;
}

TEST_F(SpellTool, SuggestPrintsTheRankedList)
{
    UseWords(SmallWords);
    const RunResult r = Spell({ "--max", "3", "suggest", "cet", "Cet", "zzzz" });
    EXPECT_EQ(r.out, "cet: cat, cot, cut\nCet: Cat, Cot, Cut\nzzzz:\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(Spell({ "--max=1", "suggest", "cet" }).out, "cet: cat\n");
}

// Accented capitals, which code page 437 lacks, are checked and suggested with their
// accents, in UTF-8 and in code page 1252; ¿ ¡ « » belong to no word.
TEST_F(SpellTool, SpanishAccentsSurviveCheckAndSuggest)
{
    dict = dir.write("TEST.DCT", SpanishDct());
    EXPECT_EQ(Spell({ "check" }, "¿Dónde? «ÁRBOL», Árbol y ÉL. ¡MAÑANA! Arbol\n").out,
              "-:1:39: Arbol\n");
    EXPECT_EQ(Spell({ "check" },
                    "\xBF"
                    "D\xF3nde? \xC1RBOL \xC1rbol\n")
                  .status,
              0);
    EXPECT_EQ(Spell({ "suggest", "TAMBIEN", "Arbol" }).out, "TAMBIEN: TAMBIÉN\nArbol: Árbol\n");
}

TEST_F(SpellTool, ClassicGivesTheFixedSearchTheDefaultTheChildrensRanking)
{
    UseWords({ "phone", "fine", "fun", "whore", "who", "whom" });
    dir.write("WORDPRIOR.TXT", "phone\t110\nfine\t200\nfun\t120\nwhore\t150\nwho\t50\nwhom\t100\n");
    dir.write("NOSUGGEST.TXT", "whore\n");
    // options, input, output: "phone" lies beyond the fixed search's first-letter screen;
    // the never-suggest list holds for the children's ranking only.
    const std::vector<std::tuple<std::vector<std::string>, std::string, std::string>> cases = {
        { { "suggest", "fone", "whor" }, "", "fone: phone, fun, fine\nwhor: who, whom\n" },
        { { "--classic", "suggest", "fone", "whor" }, "", "fone: fine, fun\nwhor: whore, who\n" },
        { { "-a" }, "fone whor\n", "& fone 3 0: phone, fun, fine\n& whor 2 5: who, whom\n\n" },
        { { "--classic", "-a" },
          "fone whor\n",
          "& fone 2 0: fine, fun\n& whor 2 5: whore, who\n\n" },
    };
    for (const auto &[args, input, expected] : cases) {
        const RunResult r = Spell(args, input);
        // The pipe's answers follow its banner line.
        const size_t from = args.back() == "-a" ? r.out.find('\n') + 1 : 0;
        EXPECT_EQ(r.out.substr(from), expected) << args.front();
        EXPECT_EQ(r.status, 0);
    }
}

// The built Spanish dictionary, named without a folder: the program finds it beside itself.
TEST(SpanishDictionary, KnowsAChildsSentenceAndPutsTheAccentBack)
{
    const std::string sentence = "Ma\xC3\xB1"
                                 "ana vamos a la biblioteca con mi hermano pequeno.\n";
    const RunResult check = RunTool({ "--dict", "ESPANOL.DCT", "check" }, sentence);
    EXPECT_EQ(check.out, "-:1:45: pequeno\n") << check.err;
    EXPECT_EQ(check.status, 1);
    // One error of each kind; b/v and c/s first letters are right as they are heard.
    const RunResult suggest = RunTool({ "--dict", "ESPANOL.DCT", "--max", "1", "suggest", "pequeno",
                                        "tambien", "Tambien", "arbol", "jente", "yave", "bibir",
                                        "sielo", "kiero", "ablar", "hechar" });
    EXPECT_EQ(suggest.out,
              "pequeno: peque\xC3\xB1o\ntambien: tambi\xC3\xA9n\nTambien: Tambi\xC3\xA9n\n"
              "arbol: \xC3\xA1rbol\njente: gente\nyave: llave\nbibir: vivir\nsielo: cielo\n"
              "kiero: quiero\nablar: hablar\nhechar: echar\n");
}

// "word: a, b, c" lines of suggest or complete, as lists.
std::vector<std::vector<std::string>> Lists(const std::string &out)
{
    std::vector<std::vector<std::string>> lists;
    size_t start = 0;
    for (size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
        std::vector<std::string> &list = lists.emplace_back();
        const std::string line = out.substr(start, end - start);
        for (size_t at = line.find(':') + 1; at < line.size();) {
            const size_t comma = std::min(line.find(',', at), line.size());
            list.push_back(line.substr(at + 1, comma - at - 1));
            at = comma + 1;
        }
    }
    return lists;
}

// The built English dictionary with its tables: words the lists write in lower case are
// offered so unless typed with a capital, and an apostrophe is not taken for capitals.
TEST(EnglishDictionary, OffersCapitalsOnlyWhereTheyBelong)
{
    const RunResult r = RunTool({ "--dict", "ENGLISH.DCT", "suggest", "I'v", "i'ld", "O'brian",
                                  "docter", "Docter", "wensday", "tedye" });
    const auto lists = Lists(r.out);
    std::vector<std::string> first;
    for (const auto &list : lists)
        first.push_back(list.empty() ? "" : list.front());
    EXPECT_EQ(first,
              (std::vector<std::string> { "I've", "I'll", "O'Brien", "doctor", "Doctor",
                                          "Wednesday", "they" }))
        << r.out;
    ASSERT_EQ(lists.size(), 7u);
    EXPECT_NE(std::find(lists[6].begin(), lists[6].end(), "teddy"), lists[6].end()) << r.out;
}

// Misspellings near offensive words, and completions of one: no offensive word, nor an
// inflection or compound of one, comes in any list.
TEST(EnglishDictionary, OffersNoOffensiveWordNearAMisspelling)
{
    const std::vector<std::string> probes = {
        "penisis",    "masterbating", "erectons",   "whorhouse", "pornografic", "shitier",
        "bitchin",    "slutish",      "fuking",     "fucer",     "shiting",     "shity",
        "bulshiting", "asholes",      "bich",       "biches",    "wores",       "whorse",
        "masterbate", "mastubation",  "orgazm",     "orgasim",   "ejaculashun", "vagena",
        "vajina",     "penus",        "pornagrafy", "clitorus",  "scrotom",     "testicals",
        "erekshun",   "sluty",        "fagget",     "nigerz",    "pissd",       "bastad",
        "rapeist",    "sexxy",        "boobz",      "cuntz",
    };
    std::vector<std::string> args = { "--dict", "ENGLISH.DCT", "suggest" };
    args.insert(args.end(), probes.begin(), probes.end());
    const RunResult suggested = RunTool(args);
    const RunResult completed
        = RunTool({ "--dict", "ENGLISH.DCT", "complete", "fuck", "shit", "whore", "pen", "por" });
    const auto offensive = [](const std::string &word) {
        for (const char *stem :
             { "fuck",    "shit",   "cunt",      "bitch",  "whore",    "slut",   "nigga",
               "nigger",  "faggot", "masturbat", "orgasm", "ejaculat", "penis",  "porn",
               "clitor",  "vagin",  "erection",  "scrot",  "testicle", "rapist", "piss",
               "bastard", "sexy",   "sexi",      "boobs",  "asshole" })
            if (word.find(stem) != std::string::npos)
                return true;
        return false;
    };
    size_t lists = 0;
    for (const RunResult *r : { &suggested, &completed }) {
        for (const auto &list : Lists(r->out)) {
            ++lists;
            for (const std::string &word : list)
                EXPECT_FALSE(offensive(word)) << word;
        }
    }
    EXPECT_EQ(lists, probes.size() + 5);
}

// The Spanish list covers the inflections of its words the same way.
TEST(SpanishDictionary, OffersNoOffensiveWordNearAMisspelling)
{
    const RunResult r
        = RunTool({ "--dict", "ESPANOL.DCT", "suggest", "folando", "jodiendoo", "mierdda", "putaz",
                    "puteaz", "cabronez", "gilipoyas", "cagandoo" });
    for (const auto &list : Lists(r.out))
        for (const std::string &word : list)
            for (const char *stem : { "foll", "jod", "mierd", "puta", "pute", "cabr\xC3\xB3n",
                                      "cabron", "gilipoll", "cag" })
                EXPECT_NE(word.find(stem), 0u) << word;
}

TEST_F(SpellTool, CompleteListsWordsExtendingThePrefix)
{
    UseWords(SmallWords);
    const RunResult r = Spell({ "complete", "ca", "Ca", "zz", "cats" });
    EXPECT_EQ(r.out, "ca: cart, cat, cats\nCa: Cart, Cat, Cats\nzz:\ncats:\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(Spell({ "--max", "2", "complete", "c" }).out, "c: cart, cat\n");
}

// The words the editor learned, in the user's data folder, and those an earlier version
// kept beside the dictionary until the editor takes them in: read, never written.
TEST_F(SpellTool, LearnedWordsAreTheEditorsReadNeverWritten)
{
    UseWords(TextWords);
    ASSERT_EQ(::mkdir(data.file("scrivlo").c_str(), 0700), 0);
    const std::string userList = data.write("scrivlo/USERDCT.TXT", "Zorbl\r\n");
    const std::string oldList = dir.write("USERDCT.TXT", "quarg\r\n");
    const auto stamp = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(userList, stamp);

    EXPECT_EQ(Spell({ "check" }, "ZORBL zorbl's quarg qqq").out, "-:1:21: qqq\n");
    Spell({ "-a" }, "*newword\n@other\nnewword\n");
    Spell({ "--max", "3", "suggest", "zorbk" });

    EXPECT_EQ(data.read("scrivlo/USERDCT.TXT"), "Zorbl\r\n");
    EXPECT_EQ(std::filesystem::last_write_time(userList), stamp);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string> { "TEST.DCT", "USERDCT.TXT" }));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data.file("scrivlo")), {}), 1);

    // Once the editor has taken the old list in, only the user's own counts.
    data.write("scrivlo/USERDCT.TXT.merged", oldList + "\n");
    EXPECT_EQ(Spell({ "check" }, "zorbl quarg").out, "-:1:7: quarg\n");
}

// A list that cannot be read whole is reported and left as it is: this program writes none.
TEST_F(SpellTool, AnUnreadableListIsReportedAndLeftAlone)
{
    UseWords(TextWords);
    const std::string utf16Cyrillic = "\xFF\xFE\x3A\x04\x3E\x04\x42\x04\r\0\n\0"s;
    const std::string list = dir.write("mine.txt", utf16Cyrillic);
    const RunResult r = Spell({ "--user", list, "check" }, "dog");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err,
              "scrivlo-spell: The learned words in " + list
                  + " could not be read; none of them are used.\n");
    EXPECT_EQ(dir.read("mine.txt"), utf16Cyrillic);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string> { "TEST.DCT", "mine.txt" }));
}

TEST_F(SpellTool, MissingUserListIsNeitherNeededNorCreated)
{
    UseWords(TextWords);
    EXPECT_EQ(Spell({ "-a" }, "*zorbl\nzorbl\n").status, 0);
    EXPECT_EQ(Spell({ "check" }, "zorbl").status, 1) << "session words end with the session";
    EXPECT_EQ(FolderEntries(), (std::vector<std::string> { "TEST.DCT" }));
}

TEST_F(SpellTool, ListFilesFromOptionsAreTakenFromTheirPaths)
{
    UseWords(TextWords);
    TempDir other;
    const std::string user = other.write("mine.txt", "zorbl\n");
    const std::string exclusions = other.write("never.txt", "cat\n");
    const RunResult r
        = Spell({ "--user", user, "--exclude", exclusions, "check" }, "zorbl cat dog");
    EXPECT_EQ(r.out, "-:1:7: cat\n");
    EXPECT_EQ(r.status, 1);

    const RunResult missing = Spell({ "--exclude", other.file("none.txt"), "check" }, "dog");
    EXPECT_EQ(missing.err, "Exclusion list not found: " + other.file("none.txt") + ".\n");
    EXPECT_EQ(missing.status, 2);
}

TEST_F(SpellTool, PipeAnswersEveryTextLine)
{
    UseWords(SmallWords);
    const std::string input = "cat cot zzzz cet\n"
                              "!\n"
                              "cat cet\n"
                              "%\n"
                              "*cet\n"
                              "cet Cet's cat\n"
                              "^*cat\n"
                              "@Zzzz\n"
                              "zzzz ZZZZ x 42\n"
                              "^\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80 qq\n"
                              "# comment\n~tex\n+\n-\n&word\n$$cr\n"
                              "\n"
                              "cut\r\n";
    const std::string expected = "*\n*\n# zzzz 8\n& cet 3 13: cat, cot, cut\n\n" // all kinds
                                 "& cet 3 4: cat, cot, cut\n\n" // terse: no * lines
                                 "*\n*\n*\n\n" // session word, also with 's
                                 "*\n\n" // ^ protects a line starting with *
                                 "*\n*\n\n" // @ accepts, in any case
                                 "# \xC3\xA9t\xC3\xA9 0\n# qq 6\n\n" // offsets in characters
                                 "\n" // an empty line
                                 "*\n\n";
    const RunResult r = Spell({ "--max", "3", "-a" }, input);
    ASSERT_TRUE(r.out.starts_with("@(#) ")) << r.out;
    EXPECT_EQ(r.out.substr(r.out.find('\n') + 1), expected);
    EXPECT_EQ(r.status, 0);
}

} // namespace

namespace {

// The check in context with the built English dictionary, its tables and the model:
// real-word and capital flags as WORD -> SUGGESTION, in text order among the unknown
// words, their lines and columns counted across wrapped lines.
TEST(EnglishDictionary, CheckInContextFlagsWrongWordsAndCapitals)
{
    const std::string text = "We went to there house on monday.\n"
                             "the dog barked and i laughed. Thier dog\n"
                             "is hapy. we\n"
                             "came home too late.\n"
                             "\n"
                             "it was fun.\n"
                             "\n"
                             "milk and eggs\n"; // a list's item, no sentence
    struct Row
    {
        std::vector<std::string> args;
        const char *model; // SCRIVLO_WORD_MODEL, null: unset
        std::string report;
    };
    const std::string capitals = "-:1:27: monday -> Monday\n-:2:1: the -> The\n-:2:20: i -> I\n";
    const std::string unknown = "-:2:31: Thier\n-:3:4: hapy\n";
    const std::string starts = "-:3:10: we -> We\n-:6:1: it -> It\n";
    for (const Row &row : std::vector<Row> {
             { { "check" }, nullptr, "-:1:12: there -> their\n" + capitals + unknown + starts },
             { { "check" }, "", capitals + unknown + starts },
             { { "--no-context", "check" }, nullptr, unknown },
         }) {
        if (row.model)
            ::setenv("SCRIVLO_WORD_MODEL", row.model, 1);
        std::vector<std::string> args { "--dict", "ENGLISH.DCT" };
        args.insert(args.end(), row.args.begin(), row.args.end());
        const RunResult r = RunTool(args, text);
        ::unsetenv("SCRIVLO_WORD_MODEL");
        EXPECT_EQ(r.out, row.report) << (row.model ? "without model" : "");
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.status, 1);
    }
    const RunResult right = RunTool({ "--dict", "ENGLISH.DCT", "check" },
                                    "I went to Paris with my family.\nThey were there too.\n");
    EXPECT_EQ(right.out, "");
    EXPECT_EQ(right.status, 0);
    // A paragraph longer than the checker holds is checked in parts cut at sentence ends.
    std::string longParagraph;
    for (int i = 1; i <= 4000; ++i)
        longParagraph += i == 3000 ? "We went to there house.\n" : "The dog sat on the mat.\n";
    const RunResult cut = RunTool({ "--dict", "ENGLISH.DCT", "check" }, longParagraph);
    EXPECT_EQ(cut.out, "-:3000:12: there -> their\n");
}

} // namespace
