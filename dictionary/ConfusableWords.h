#pragma once
// The words a child may write for one another: homophones ("their there they're") and
// near-homophones ("then than", "of off"), in groups. A word may be in several groups; its
// alternatives are the other words of all of them.
//
// The table is a text file, one group a line, its words separated by spaces, lower case
// code page 1252; '#' starts a comment. A line with fewer than two words is skipped.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class ConfusableWords
{
public:
    // Adds the groups of the lines of text; returns the number of groups read.
    size_t Load(std::string_view text);
    // Load of a file; false, with nothing added, when it cannot be read or is larger than
    // MaxFileSize.
    bool LoadFromFile(const std::string &path);
    static constexpr size_t MaxFileSize = 4 * 1024 * 1024;

    size_t GroupCount() const { return FGroupCount; }
    // The other words of every group that holds lowerWord, each once, in file order;
    // empty for a word in no group.
    const std::vector<std::string> &Alternatives(std::string_view lowerWord) const;

private:
    void AddGroup(const std::vector<std::string> &group);

    std::unordered_map<std::string, std::vector<std::string>> FAlternatives;
    size_t FGroupCount = 0;
};
