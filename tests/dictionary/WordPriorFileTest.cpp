#include "dictionary/WordPrior.h"
#include "platform/core/Exceptions.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(WordPriorFile, AFileLargerThanAnyTableIsRefused)
{
    TempDir dir;
    WordPrior prior;
    EXPECT_FALSE(prior.LoadFromFile(dir.file("none.txt")));
    const std::string path = dir.write("WORDPRIOR.TXT", "cat\t1\n");
    ASSERT_EQ(::truncate(path.c_str(), off_t(WordPrior::MaxFileSize + 1)), 0); // sparse
    try {
        prior.LoadFromFile(path);
        ADD_FAILURE() << "read";
    } catch (const EFOpenError &e) {
        EXPECT_EQ(e.Message(), "File too large: " + path);
    }
    EXPECT_EQ(prior.Count(), 0u);
}

} // namespace
