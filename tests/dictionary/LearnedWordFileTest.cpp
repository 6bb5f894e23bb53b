#include "dictionary/LearnedWordFile.h"

#include "dictionary/DctBuilder.h"
#include "dictionary/TDictionary.h"
#include "platform/core/UserDataFolder.h"
#include "tests/support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::string_literals;

namespace {

// Sets an environment variable for one test and puts the old value back afterwards.
struct ScopedEnv
{
    ScopedEnv(const char *name, const char *value)
        : Name(name)
        , Old(std::getenv(name) ? std::optional<std::string>(std::getenv(name)) : std::nullopt)
    {
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { Old ? ::setenv(Name, Old->c_str(), 1) : ::unsetenv(Name); }
    const char *Name;
    std::optional<std::string> Old;
};

mode_t Mode(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 0777) : 0;
}

// UTF-16 bytes with a byte-order mark.
std::string Utf16(std::u16string_view text, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char high = char(unit >> 8), low = char(unit & 0xFF);
        out += bigEndian ? std::string { high, low } : std::string { low, high };
    }
    return out;
}

class LearnedWords : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dct = dir.write("ENGLISH.DCT", BuildDct({ "cat", "dog" }));
        ASSERT_TRUE(dict.OpenDictionary(dct));
        saved = TDictionary::ErrorReporter;
        TDictionary::ErrorReporter = [this](const std::string &m) { reports.push_back(m); };
    }
    void TearDown() override { TDictionary::ErrorReporter = saved; }

    TempDir dir;
    std::string dct;
    TDictionary dict;
    std::vector<std::string> reports;
    std::function<void(const std::string &)> saved;
};

// A list is read in the encoding it was saved in, its accented words match what the
// child types (code page 1252 here), and it is written back in that encoding.
TEST_F(LearnedWords, ListsInEveryEncodingAreReadAndKeptInIt)
{
    const struct
    {
        const char *name;
        std::string before, after; // after learning "niño"
    } cases[] = {
        { "code page 1252 (earlier versions)", "\xE1rbol\r\ncaf\xE9\r\n",
          "\xE1rbol\r\ncaf\xE9\r\nni\xF1o\r\n" },
        { "UTF-8", "\u00e1rbol\ncaf\u00e9\n", "\u00e1rbol\ncaf\u00e9\nni\u00f1o\n" },
        { "UTF-8 with BOM", "\xEF\xBB\xBF\u00e1rbol\r\ncaf\u00e9\r\n",
          "\xEF\xBB\xBF\u00e1rbol\r\ncaf\u00e9\r\nni\u00f1o\r\n" },
        { "UTF-16LE", Utf16(u"\u00e1rbol\r\ncaf\u00e9\r\n", false),
          Utf16(u"\u00e1rbol\r\ncaf\u00e9\r\nni\u00f1o\r\n", false) },
        { "UTF-16BE", Utf16(u"\u00e1rbol\r\ncaf\u00e9", true),
          Utf16(u"\u00e1rbol\r\ncaf\u00e9\r\nni\u00f1o\r\n", true) },
    };
    for (const auto &c : cases) {
        dir.write("USERDCT.TXT", c.before);
        ASSERT_TRUE(dict.OpenUserDictionary("USERDCT.TXT")) << c.name;
        EXPECT_TRUE(dict.IsWord(AnsiText("\xC1rbol"))) << c.name;
        EXPECT_TRUE(dict.IsWord(AnsiText("caf\xE9"))) << c.name;
        ASSERT_TRUE(dict.AddWord(AnsiText("ni\xF1o"))) << c.name;
        dict.SaveUserWords();
        EXPECT_EQ(dir.read("USERDCT.TXT"), c.after) << c.name;
    }
    EXPECT_TRUE(reports.empty());

    // Every byte of code page 1252 in a list of an earlier version reads as it always did.
    std::string old;
    for (int b = 0x80; b <= 0xFF; ++b)
        old += "w"s + char(b) + "\r\n";
    dir.write("USERDCT.TXT", old);
    ASSERT_TRUE(dict.OpenUserDictionary("USERDCT.TXT"));
    for (int b = 0x80; b <= 0xFF; ++b)
        EXPECT_TRUE(dict.IsWord(AnsiText("w"s + char(b)))) << b;
}

// A list that cannot be read whole is never overwritten: it is kept aside, with a
// message, and a new list is started.
TEST_F(LearnedWords, AListThatCannotBeReadWholeIsKeptAside)
{
    const struct
    {
        const char *name;
        std::string bytes;
    } cases[] = {
        { "letters outside code page 1252", Utf16(u"\u043a\u043e\u0442\r\ncat\r\n", false) },
        { "half a UTF-16 character", Utf16(u"zorp\r\n", true) + "x" },
    };
    for (const auto &c : cases) {
        TempDir words;
        const std::string list = words.write("USERDCT.TXT", c.bytes);
        reports.clear();
        EXPECT_FALSE(dict.OpenUserDictionary(list)) << c.name;
        ASSERT_EQ(reports.size(), 1u) << c.name;
        EXPECT_NE(reports[0].find(list + ".bad"), std::string::npos) << reports[0];
        ASSERT_TRUE(dict.AddWord(AnsiText("zorp")));
        dict.SaveUserWords();
        EXPECT_EQ(words.read("USERDCT.TXT"), "zorp\r\n") << c.name;
        EXPECT_EQ(words.read("USERDCT.TXT.bad"), c.bytes) << c.name;
    }

    // Spoilt while the program runs: the save sets it aside too.
    TempDir words;
    const std::string spoilt = words.write("USERDCT.TXT", "blimp\r\n");
    ASSERT_TRUE(dict.OpenUserDictionary(spoilt));
    words.write("USERDCT.TXT", cases[0].bytes);
    reports.clear();
    ASSERT_TRUE(dict.AddWord(AnsiText("zorp")));
    dict.SaveUserWords();
    EXPECT_EQ(words.read("USERDCT.TXT"), "blimp\r\nzorp\r\n");
    EXPECT_EQ(words.read("USERDCT.TXT.bad"), cases[0].bytes);
    EXPECT_EQ(reports.size(), 1u);

    // A list larger than any list of words, and a second bad list beside the first.
    const std::string list = dir.write("USERDCT.TXT", "zorp\r\n");
    ASSERT_EQ(::truncate(list.c_str(), LearnedWordFile::MaxSize + 1), 0);
    dir.write("USERDCT.TXT.bad", "older");
    EXPECT_FALSE(dict.OpenUserDictionary(list));
    EXPECT_EQ(dir.read("USERDCT.TXT.bad"), "older");
    EXPECT_EQ(dir.read("USERDCT.TXT.bad2").size(), size_t(LearnedWordFile::MaxSize + 1));
}

// Programs ending at once (a logout) each save their words: none may be lost.
TEST_F(LearnedWords, ProcessesSavingAtOnceKeepEveryWord)
{
    constexpr int Processes = 4, Rounds = 30;
    dict.OpenUserDictionary("USERDCT.TXT");
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    std::vector<pid_t> children;
    for (int p = 0; p < Processes; ++p) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(start[1]);
            char go;
            (void)!::read(start[0], &go, 1); // all begin together
            TDictionary mine;
            mine.OpenDictionary(dct);
            mine.OpenUserDictionary("USERDCT.TXT");
            for (int r = 0; r < Rounds; ++r) {
                mine.AddWord(
                    AnsiText("zq"s + char('a' + p) + char('a' + r / 26) + char('a' + r % 26)));
                mine.SaveUserWords();
            }
            ::_exit(0);
        }
        children.push_back(pid);
    }
    ::close(start[0]);
    ::close(start[1]);
    for (pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ASSERT_TRUE(dict.OpenUserDictionary("USERDCT.TXT"));
    EXPECT_EQ(dict.UserWords.Count(), Processes * Rounds);
}

TEST_F(LearnedWords, FilesAndFoldersAreTheUsersAlone)
{
    const ScopedEnv data("XDG_DATA_HOME", dir.file("deep/data").c_str());
    EXPECT_EQ(UserDataFolder::Create(), dir.file("deep/data/scrivlo/"));
    for (const char *folder : { "deep", "deep/data", "deep/data/scrivlo" })
        EXPECT_EQ(Mode(dir.file(folder)), 0700u) << folder;

    const std::string list = LearnedWordFile::UserPathFor(dct);
    dict.OpenUserDictionary(list);
    dict.AddWord(AnsiText("zorp"));
    dict.SaveUserWords();
    EXPECT_EQ(Mode(list), 0600u);
    EXPECT_EQ(Mode(list + ".lock"), 0600u);

    ::chmod(list.c_str(), 0644); // the user's own choice is kept
    dict.AddWord(AnsiText("blimp"));
    dict.SaveUserWords();
    EXPECT_EQ(Mode(list), 0644u);
}

TEST(LearnedWordPaths, AreInTheUsersDataFolder)
{
    const ScopedEnv home("HOME", "/home/kid");
    {
        const ScopedEnv data("XDG_DATA_HOME", "/data/kid");
        EXPECT_EQ(LearnedWordFile::UserPathFor("/usr/share/scrivlo/ENGLISH.DCT"),
                  "/data/kid/scrivlo/USERDCT.TXT");
        EXPECT_EQ(LearnedWordFile::UserPathFor("ESPANOL.DCT"), "/data/kid/scrivlo/USERDCT-ES.TXT");
    }
    for (const char *unusable : { "relative/data", "", static_cast<const char *>(nullptr) }) {
        const ScopedEnv data("XDG_DATA_HOME", unusable);
        EXPECT_EQ(UserDataFolder::Path(), "/home/kid/.local/share/scrivlo/");
    }
    EXPECT_EQ(LearnedWordFile::OldPathFor("/opt/scrivlo/ESPANOL.DCT"),
              "/opt/scrivlo/USERDCT-ES.TXT");
}

TEST_F(LearnedWords, AnEarlierVersionsListIsTakenInOnce)
{
    TempDir data;
    const std::string old = dir.write("USERDCT.TXT", "blimp\r\nzorp\r\n");
    const std::string mine = data.write("USERDCT.TXT", "quux\r\n");
    EXPECT_FALSE(LearnedWordFile::OldFileWaiting(mine, mine)) << "the same file";
    ASSERT_TRUE(LearnedWordFile::OldFileWaiting(old, mine));
    LearnedWordFile::TakeInOldFile(old, mine);
    EXPECT_EQ(data.read("USERDCT.TXT"), "blimp\r\nquux\r\nzorp\r\n");
    EXPECT_EQ(dir.read("USERDCT.TXT"), "blimp\r\nzorp\r\n");

    // A word the parent then removes stays removed.
    data.write("USERDCT.TXT", "blimp\r\nquux\r\n");
    EXPECT_FALSE(LearnedWordFile::OldFileWaiting(old, mine));
}

} // namespace
