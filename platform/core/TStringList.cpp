#include "platform/core/TStringList.h"

#include "platform/core/CodePageTables.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"

#include <algorithm>

namespace {

// Lexicographic comparison of two strings with every byte mapped through a table.
int CompareMapped(std::string_view a, std::string_view b,
                  const std::array<unsigned char, 256> &table)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ka = table[static_cast<unsigned char>(a[i])];
        const int kb = table[static_cast<unsigned char>(b[i])];
        if (ka != kb)
            return ka < kb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

int TStringList::CompareText(std::string_view a, std::string_view b)
{
    // Base letters over the whole strings first, so "cafe" < "café" < "cafes"; then the
    // upper-case bytes, which tell accents apart but not letter case. The sort key is a
    // function of the upper-case byte, so this is a total order whose equality is
    // exactly "equal ignoring case".
    const int primary = CompareMapped(a, b, CodePageTables::AnsiSortKey);
    return primary != 0 ? primary : CompareMapped(a, b, CodePageTables::AnsiUpper);
}

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw ERangeError();
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted && !FSorted)
        SortAndDropDuplicates();
    FSorted = sorted;
}

void TStringList::SortAndDropDuplicates()
{
    // Stable, so of several equal entries the one added first stays.
    const auto less
        = [](const std::string &a, const std::string &b) { return CompareText(a, b) < 0; };
    std::stable_sort(FItems.begin(), FItems.end(), less);
    const auto equal
        = [](const std::string &a, const std::string &b) { return CompareText(a, b) == 0; };
    FItems.erase(std::unique(FItems.begin(), FItems.end(), equal), FItems.end());
}

void TStringList::Put(int index, std::string value)
{
    CheckIndex(index);
    // Replacing in place could break the order a sorted list relies on for its searches.
    if (FSorted)
        throw Exception("Cannot replace an entry of a sorted list");
    FItems[index] = std::move(value);
}

int TStringList::Add(std::string value)
{
    if (!FSorted) {
        FItems.push_back(std::move(value));
        return Count() - 1;
    }
    int index;
    if (!Find(value, index))
        FItems.insert(FItems.begin() + index, std::move(value));
    return index;
}

void TStringList::AddStrings(const TStringList &other)
{
    if (&other == this)
        return; // adding a list to itself would iterate a vector while it grows
    FItems.reserve(FItems.size() + other.FItems.size());
    for (const std::string &s : other.FItems)
        Add(s);
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    FItems.erase(FItems.begin() + index);
}

bool TStringList::Find(std::string_view value, int &index) const
{
    if (!FSorted) {
        for (int i = 0; i < Count(); ++i) {
            if (CompareText(FItems[i], value) == 0) {
                index = i;
                return true;
            }
        }
        index = -1;
        return false;
    }
    const auto it = std::lower_bound(
        FItems.begin(), FItems.end(), value,
        [](const std::string &item, std::string_view v) { return CompareText(item, v) < 0; });
    index = static_cast<int>(it - FItems.begin());
    return it != FItems.end() && CompareText(*it, value) == 0;
}

int TStringList::IndexOf(std::string_view value) const
{
    int index;
    return Find(value, index) ? index : -1;
}

void TStringList::AddLine(std::string_view line)
{
    if (line.find('\0') == std::string_view::npos) {
        FItems.emplace_back(line);
        return;
    }
    // Bytes 0 come from damage (a file cut short, a block never written): they separate
    // what is around them and make no entry of their own.
    size_t start = 0;
    while (start <= line.size()) {
        const size_t end = std::min(line.find('\0', start), line.size());
        if (end > start)
            FItems.emplace_back(line.substr(start, end - start));
        start = end + 1;
    }
}

void TStringList::SetText(std::string_view text)
{
    FItems.clear();
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            AddLine(text.substr(start));
            break;
        }
        AddLine(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    // Sorting once is much faster than inserting every line of a long list in its place.
    if (FSorted)
        SortAndDropDuplicates();
}

std::string TStringList::Text() const
{
    size_t size = 0;
    for (const std::string &s : FItems)
        size += s.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string &s : FItems) {
        text += s;
        text += "\r\n";
    }
    return text;
}

void TStringList::LoadFromFile(const std::string &path)
{
    SetText(FileUtils::ReadWholeFile(path));
}

void TStringList::SaveToFile(const std::string &path) const
{
    FileUtils::WriteFileSafely(path, Text());
}
