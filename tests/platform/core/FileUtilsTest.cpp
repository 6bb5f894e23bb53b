#include "platform/core/FileUtils.h"

#include "platform/core/Exceptions.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace FileUtils;
namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {

Names Listing(const std::string &dir)
{
    Names names;
    for (const auto &entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t Mode(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 0777) : 0;
}

template<class E, class F> std::string MessageOf(F f)
{
    try {
        f();
    } catch (const E &e) {
        return e.Message();
    }
    return "no exception";
}

} // namespace

TEST(FileUtils, PathParts)
{
    const struct
    {
        std::string path, dir, name;
    } cases[] = { { "/a/b/c.txt", "/a/b/", "c.txt" },
                  { "c.txt", "", "c.txt" },
                  { "dir/", "dir/", "" },
                  { "/", "/", "" },
                  { "", "", "" } };
    for (const auto &c : cases) {
        EXPECT_EQ(ExtractFilePath(c.path), c.dir) << c.path;
        EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
    }
    EXPECT_EQ(IncludeTrailingSlash(""), "");
    EXPECT_EQ(IncludeTrailingSlash("a"), "a/");
    EXPECT_EQ(IncludeTrailingSlash("a/"), "a/");
}

TEST(FileUtils, ExistsAndSizeOnlyForRegularFiles)
{
    TempDir dir;
    dir.write("f", "12345");
    fs::create_directory(dir.file("d"));
    EXPECT_TRUE(FileExists(dir.file("f")));
    EXPECT_EQ(FileSize(dir.file("f")), 5);
    for (const char *name : { "d", "none" }) {
        EXPECT_FALSE(FileExists(dir.file(name))) << name;
        EXPECT_EQ(FileSize(dir.file(name)), -1) << name;
    }
}

TEST(FileUtils, ExecutableDirHoldsThisProgram)
{
    const std::string exeDir = ExecutableDir();
    EXPECT_EQ(exeDir.substr(0, 1), "/");
    EXPECT_EQ(exeDir.back(), '/');
    EXPECT_TRUE(FileExists(exeDir + "platform_core"));
}

TEST(FileUtils, ReadWholeFileKeepsEveryByteOrRaises)
{
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 200000; ++i)
        bytes += char(i * 7);
    EXPECT_EQ(ReadWholeFile(dir.write("b", bytes)), bytes);
    for (const std::string &path : { dir.file("none"), dir.path() })
        EXPECT_EQ(MessageOf<EFOpenError>([&] { ReadWholeFile(path); }), "Cannot open file " + path);
}

TEST(FileUtils, WriteFileSafelyCreatesAndReplaces)
{
    TempDir dir;
    const mode_t oldMask = ::umask(027);
    WriteFileSafely(dir.file("new.txt"), std::string("a\0b", 3));
    ::umask(oldMask);
    EXPECT_EQ(dir.read("new.txt"), std::string("a\0b", 3));
    EXPECT_EQ(Mode(dir.file("new.txt")), 0640u);

    ::chmod(dir.write("old.txt", "old contents").c_str(), 0600);
    WriteFileSafely(dir.file("old.txt"), "new");
    EXPECT_EQ(dir.read("old.txt"), "new");
    EXPECT_EQ(Mode(dir.file("old.txt")), 0600u);
    EXPECT_EQ(Listing(dir.path()), (Names { "new.txt", "old.txt" })); // no temporary left

    fs::create_symlink(dir.file("old.txt"), dir.file("link.txt"));
    WriteFileSafely(dir.file("link.txt"), "via link");
    EXPECT_TRUE(fs::is_symlink(dir.file("link.txt")));
    EXPECT_EQ(dir.read("old.txt"), "via link");
}

// Private work: new files and folders are the owner's alone, whatever the umask; what
// exists keeps its mode.
TEST(FileUtils, OwnerOnlyFilesAndPrivateFolders)
{
    TempDir dir;
    const mode_t oldMask = ::umask(0);
    EXPECT_TRUE(CreatePrivateFolder(dir.file("a/b/")));
    WriteFileSafely(dir.file("a/b/new.txt"), "secret", TNewFileAccess::OwnerOnly);
    ::chmod(dir.write("old.txt", "old").c_str(), 0640);
    WriteFileSafely(dir.file("old.txt"), "new", TNewFileAccess::OwnerOnly);
    ::umask(oldMask);
    EXPECT_EQ(Mode(dir.file("a")), 0700u);
    EXPECT_EQ(Mode(dir.file("a/b")), 0700u);
    EXPECT_EQ(Mode(dir.file("a/b/new.txt")), 0600u);
    EXPECT_EQ(Mode(dir.file("old.txt")), 0640u);
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_TRUE(CreatePrivateFolder(dir.path()));
    EXPECT_EQ(Mode(dir.path()), 0755u);
    EXPECT_FALSE(CreatePrivateFolder(dir.file("old.txt")));
}

TEST(FileUtils, WriteFileSafelyFailsLeavingTheFolderAsItWas)
{
    // Parent is a regular file; parent is missing; target is a folder (the rename fails
    // after the data was written); no file name at all.
    for (const char *name : { "file/x", "missing/x", "sub", "sub/" }) {
        SCOPED_TRACE(name);
        TempDir dir;
        dir.write("file", "old contents");
        fs::create_directory(dir.file("sub"));
        dir.write("sub/keep", "kept");
        const std::string target = dir.file(name);
        EXPECT_EQ(MessageOf<EFCreateError>([&] { WriteFileSafely(target, "data"); }),
                  "Cannot create file " + target);
        EXPECT_EQ(Listing(dir.path()), (Names { "file", "sub" }));
        EXPECT_EQ(Listing(dir.file("sub")), Names { "keep" });
        EXPECT_EQ(dir.read("file"), "old contents");
    }
}

// A save killed midway leaves a temporary named after the document and the program; the
// next save of that document removes it, but not one a running save holds, nor another
// document's.
TEST(FileUtils, KilledSaveLeavesANamedTemporaryThatTheNextSaveRemoves)
{
    TempDir dir;
    const std::string target = dir.write("doc.rtf", "old contents");
    const pid_t child = ::fork();
    if (child == 0) { // killed by SIGXFSZ once its temporary reaches 1 KB
        rlimit small { 1024, 1024 }, noCore { 0, 0 };
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::setrlimit(RLIMIT_FSIZE, &small);
        WriteFileSafely(target, std::string(100000, 'x'));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    const Names left = Listing(dir.path());
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].substr(0, 22), ".doc.rtf.scrivlo-save-");

    const std::string busy = dir.write(".doc.rtf.scrivlo-save-Busy01", "saving");
    const int busyFd = ::open(busy.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(busyFd, LOCK_EX), 0);
    dir.write(".other.rtf.scrivlo-save-Abc123", "another document's");
    WriteFileSafely(target, "new");
    ::close(busyFd);
    EXPECT_EQ(dir.read("doc.rtf"), "new");
    EXPECT_EQ(
        Listing(dir.path()),
        (Names { ".doc.rtf.scrivlo-save-Busy01", ".other.rtf.scrivlo-save-Abc123", "doc.rtf" }));
}
