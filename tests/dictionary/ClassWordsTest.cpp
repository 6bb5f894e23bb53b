// A school's class word list: known words for every user, read in the encodings a
// teacher's editor saves, and never written into the user's own list.

#include "dictionary/DctBuilder.h"
#include "dictionary/TDictionary.h"
#include "platform/core/FileUtils.h"
#include "tests/support/RawDct.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

class ClassWords : public ::testing::TestWithParam<std::string>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dict.OpenDictionary(dir.write("ENGLISH.DCT", BuildDct({ "a", "cat", "the" }))));
    }
    TempDir dir;
    TDictionary dict;
};

// "Zoë", "Kwabena" and "Tyrannosaurus" in each encoding, with the line ends it comes with.
constexpr char Utf16[] = "\xFF\xFEZ\0o\0\xEB\0\r\0\n\0K\0w\0a\0b\0e\0n\0a\0\n\0"
                         "T\0y\0r\0a\0n\0n\0o\0s\0a\0u\0r\0u\0s\0";
INSTANTIATE_TEST_SUITE_P(Encodings, ClassWords,
                         ::testing::Values(std::string("Zo\xC3\xAB\nKwabena\n\nTyrannosaurus\n"),
                                           std::string("Zo\xEB\r\nKwabena\r\nTyrannosaurus"),
                                           std::string(Utf16, sizeof Utf16 - 1)));

TEST_P(ClassWords, AreKnownButNeverLearnedOrSaved)
{
    const std::string path = dir.write(TDictionary::ClassWordsName, GetParam());
    ASSERT_TRUE(dict.OpenClassWords(path));
    for (const char *word : { "Zo\xEB", "ZO\xCB", "kwabena", "Tyrannosaurus's" })
        EXPECT_TRUE(dict.IsWord(AnsiText(word))) << word;
    EXPECT_FALSE(dict.IsWord(AnsiText("Kwabenas")));
    EXPECT_FALSE(dict.AddWord(AnsiText("Kwabena"))) << "already a word";
    dict.OpenUserDictionary("USERDCT.TXT"); // none yet
    ASSERT_TRUE(dict.AddWord(AnsiText("gloop")));
    dict.SaveUserWords();
    EXPECT_EQ(FileUtils::ReadWholeFile(dir.path() + "USERDCT.TXT").find("kwabena"),
              std::string::npos);
    EXPECT_EQ(FileUtils::ReadWholeFile(path), GetParam()) << "the class list is not written";
    EXPECT_FALSE(dict.OpenClassWords(dir.path() + "NONE.TXT"));
    EXPECT_FALSE(dict.IsWord(AnsiText("Kwabena"))) << "a list no longer there is dropped";
}

} // namespace
