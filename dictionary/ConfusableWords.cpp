#include "dictionary/ConfusableWords.h"

#include <algorithm>
#include <fstream>

size_t ConfusableWords::Load(std::string_view text)
{
    size_t groups = 0;
    std::vector<std::string> group;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        line = line.substr(0, line.find('#'));
        group.clear();
        while (!line.empty()) {
            const size_t start = line.find_first_not_of(" \t\r");
            if (start == std::string_view::npos)
                break;
            line.remove_prefix(start);
            const size_t length = std::min(line.find_first_of(" \t\r"), line.size());
            std::string word(line.substr(0, length));
            if (std::find(group.begin(), group.end(), word) == group.end())
                group.push_back(std::move(word));
            line.remove_prefix(length);
        }
        if (group.size() >= 2) {
            AddGroup(group);
            ++groups;
        }
    }
    FGroupCount += groups;
    return groups;
}

bool ConfusableWords::LoadFromFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::streamoff size = in.tellg();
    if (size < 0 || size_t(size) > MaxFileSize)
        return false;
    std::string text(size_t(size), '\0');
    in.seekg(0);
    if (!in.read(text.data(), size))
        return false;
    Load(text);
    return true;
}

const std::vector<std::string> &ConfusableWords::Alternatives(std::string_view lowerWord) const
{
    static const std::vector<std::string> none;
    const auto found = FAlternatives.find(std::string(lowerWord));
    return found == FAlternatives.end() ? none : found->second;
}

void ConfusableWords::AddGroup(const std::vector<std::string> &group)
{
    for (const std::string &word : group) {
        std::vector<std::string> &alternatives = FAlternatives[word];
        for (const std::string &other : group)
            if (other != word
                && std::find(alternatives.begin(), alternatives.end(), other) == alternatives.end())
                alternatives.push_back(other);
    }
}
