// The mkdct program, run on word lists in a temporary folder.

#include "dictionary/DctBuilder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

struct RunResult
{
    int status = -1; // exit status, -1 when the program did not exit normally
    std::string out;
    std::string err;
};

class Mkdct : public ::testing::Test
{
protected:
    // Runs mkdct in the test's folder with the arguments as given to the shell.
    RunResult Run(const std::string &arguments) const
    {
        const std::string command = "cd '" + dir.path() + "' && '" SCRIVLO_BIN_DIR "/mkdct' "
            + arguments + " >'" + io.file("out") + "' 2>'" + io.file("err") + "'";
        const int raw = std::system(command.c_str());
        RunResult r;
        r.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = io.read("out");
        r.err = io.read("err");
        return r;
    }

    TempDir dir;
    TempDir io;
};

const char *const Lines = "Cat\t20\r\nDog\t10\ncat's\t10\nÉclair\n\nErdős\n"
                          "cat\t5\nzebra\tmany\n";

} // namespace

TEST_F(Mkdct, BuildsTheSameFileAsTheLibraryAndSummarises)
{
    dir.write("words.txt", Lines);
    const RunResult r = Run("-o OUT.DCT words.txt");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "mkdct: OUT.DCT: 3 words, 12 nodes, 131 bytes (skipped: 1 code page, 0 too long, "
              "1 's, 1 bad rank; 1 duplicates)\n");

    DctBuilder builder;
    builder.AddUtf8Line("cat\t5");
    builder.AddUtf8Line("dog\t10");
    builder.AddUtf8Line("éclair");
    EXPECT_EQ(dir.read("OUT.DCT"), builder.Build());
    EXPECT_NO_THROW(VerifyDct(dir.file("OUT.DCT"), { "cat", "dog", "\202clair" }));
}

TEST_F(Mkdct, ReadsStandardInputAndSeveralLists)
{
    dir.write("a.txt", "an\nat\n");
    dir.write("b.txt", "i\n");
    const RunResult r = Run("--quiet -o X.DCT a.txt - < b.txt");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(dir.read("X.DCT"), BuildDct({ "an", "at", "i" }));
}

// Errors exit with 2, say what went wrong, and leave an existing dictionary alone.
struct ErrorCase
{
    const char *name;
    std::string arguments;
    std::string errStart; // the start of the message, after the folder is filled in
};

class MkdctError : public Mkdct, public ::testing::WithParamInterface<ErrorCase>
{
};

TEST_P(MkdctError, ExitsWith2AndKeepsTheOldFile)
{
    dir.write("words.txt", "cat\n");
    dir.write("OLD.DCT", "old");
    const RunResult r = Run(GetParam().arguments);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.substr(0, GetParam().errStart.size()), GetParam().errStart) << r.err;
    EXPECT_EQ(dir.read("OLD.DCT"), "old");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MkdctError,
    ::testing::Values(
        ErrorCase { "MissingList", "-o OLD.DCT none.txt",
                    "mkdct: cannot open word list none.txt: No such file or directory\n" },
        ErrorCase { "ListIsFolder", "-o OLD.DCT .",
                    "mkdct: cannot read word list .: Is a directory\n" },
        ErrorCase { "NoList", "-o OLD.DCT", "mkdct: no word list given\nusage: mkdct" },
        ErrorCase { "UnknownOption", "--fast words.txt", "mkdct: unknown option --fast\nusage:" },
        ErrorCase { "UnwritableOutput", "-o no/such/dir/X.DCT words.txt",
                    "mkdct: Cannot create file no/such/dir/X.DCT" }),
    [](const auto &test) { return std::string(test.param.name); });
