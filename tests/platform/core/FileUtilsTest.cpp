#include "platform/core/FileUtils.h"

#include "platform/core/Exceptions.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
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

// The cause an EStreamError gives for f, or "no exception".
template<class F> std::string CauseOf(F f)
{
    try {
        f();
    } catch (const EStreamError &e) {
        static const char *const Names[] = { "system", "not a file", "too large" };
        return Names[static_cast<int>(e.Cause)];
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

// A pipe or a device is refused at once, never waited for (a pipe without a writer) nor
// read for ever (/dev/zero); so is a file larger than the program can hold. Nor does a
// save replace one of them with a file.
TEST(FileUtils, PipesDevicesAndHugeFilesAreRefused)
{
    TempDir dir;
    const std::string pipe = dir.file("pipe.txt");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // A read that waited for a writer would get "ab" from this one and raise nothing.
    const auto oldHandler = std::signal(SIGPIPE, SIG_IGN);
    std::thread writer([&pipe] {
        const int fd = ::open(pipe.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd >= 0) {
            (void)!::write(fd, "ab", 2);
            ::close(fd);
        }
    });
    EXPECT_EQ(CauseOf([&] { ReadWholeFile(pipe); }), "not a file");
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); // frees the writer
    writer.join();
    ::close(reader);
    std::signal(SIGPIPE, oldHandler);

    EXPECT_EQ(CauseOf([&] { ReadWholeFile("/dev/null"); }), "not a file");
    EXPECT_EQ(CauseOf([&] { WriteFileSafely(pipe, "data"); }), "not a file");
    EXPECT_TRUE(fs::is_fifo(pipe));

    const std::string huge = dir.write("huge.txt", "");
    ASSERT_EQ(::truncate(huge.c_str(), MaxFileSize + 1), 0); // sparse: takes no room
    EXPECT_EQ(CauseOf([&] { ReadWholeFile(huge); }), "too large");
    ASSERT_EQ(::truncate(huge.c_str(), 3), 0);
    EXPECT_EQ(ReadWholeFile(huge), std::string(3, '\0'));
}

// As an ordinary user (a child process that became one): a file the user may not write is
// never replaced, whatever the folder allows; a saved file keeps its owner, group and
// permissions; a file the user may write is saved also in a folder that takes no new file,
// and stays as it was when that write fails.
TEST(FileUtils, SavingKeepsOwnersAndPermissions)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to hand files to other users";
    constexpr uid_t User = 4242, Other = 4343;
    constexpr gid_t UserGroup = 4242, Class = 4444;
    const struct
    {
        const char *name;
        uid_t owner;
        gid_t group;
        mode_t mode;
        bool folderIsTheUsers;
        rlim_t sizeLimit; // of files the user writes; 0: none
        int outcome; // 0 saved, 1 refused for lack of permission, 2 failed otherwise
    } cases[] = {
        { "own read-only file", User, UserGroup, 0444, true, 0, 1 },
        { "root's file in the user's folder", 0, 0, 0644, true, 0, 1 },
        { "own file shared with the class", User, Class, 0640, true, 0, 0 },
        { "another's file the class may write", Other, Class, 0664, true, 0, 0 },
        { "own file in a folder of root's", User, UserGroup, 0644, false, 0, 0 },
        { "the same, too large for the user", User, UserGroup, 0644, false, 8, 2 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        ASSERT_EQ(::chmod(dir.path().c_str(), 0711), 0);
        const std::string folder = dir.file("f/"), path = folder + "doc.txt";
        ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
        if (c.folderIsTheUsers) {
            ASSERT_EQ(::chown(folder.c_str(), User, UserGroup), 0);
        }
        dir.write("f/doc.txt", "old");
        ASSERT_EQ(::chown(path.c_str(), c.owner, c.group), 0);
        ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);

        const pid_t child = ::fork();
        if (child == 0) {
            const gid_t groups[] = { Class };
            if (::setgroups(1, groups) != 0 || ::setgid(UserGroup) != 0 || ::setuid(User) != 0)
                ::_exit(9);
            const rlimit limit { c.sizeLimit, c.sizeLimit };
            std::signal(SIGXFSZ, SIG_IGN);
            if (c.sizeLimit != 0 && ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                ::_exit(9);
            try {
                WriteFileSafely(path, "new, longer than the limit");
                ::_exit(0);
            } catch (const EStreamError &e) {
                ::_exit(e.ErrorCode == EACCES ? 1 : 2);
            } catch (...) {
                ::_exit(3);
            }
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), c.outcome);
        EXPECT_EQ(dir.read("f/doc.txt"), c.outcome == 0 ? "new, longer than the limit" : "old");
        struct stat st;
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, c.owner);
        EXPECT_EQ(st.st_gid, c.group);
        EXPECT_EQ(st.st_mode & 0777, c.mode);
        EXPECT_EQ(Listing(folder), Names { "doc.txt" });
    }
}
