#pragma once
// A list of byte strings, kept either in the order added or sorted. A sorted list ignores
// duplicates and compares case-insensitively, the way the user's word lists are kept.

#include <string>
#include <string_view>
#include <vector>

class TStringList
{
public:
    TStringList() = default;
    explicit TStringList(bool sorted) { SetSorted(sorted); }

    bool Sorted() const { return FSorted; }
    // Turning sorting on sorts the list and drops case-insensitive duplicates.
    void SetSorted(bool sorted);

    int Count() const { return static_cast<int>(FItems.size()); }
    // An index outside 0..Count()-1 raises ERangeError.
    const std::string &operator[](int index) const { return Strings(index); }
    const std::string &Strings(int index) const
    {
        CheckIndex(index);
        return FItems[index];
    }
    // Replaces an entry; a sorted list raises Exception, since its order could break.
    void Put(int index, std::string value);

    // Adds an entry: at the end, or in its sorted place. A sorted list that already holds
    // an equal entry keeps the old one and returns its index.
    int Add(std::string value);
    void AddStrings(const TStringList &other);
    void Delete(int index);
    void Clear() { FItems.clear(); }

    // Sorted: binary search for the entry or its insertion point; true when found.
    // Unsorted: linear search. Comparison is always case-insensitive.
    bool Find(std::string_view value, int &index) const;
    int IndexOf(std::string_view value) const; // -1 when absent

    // Text rules of word list files: CR, LF or CR LF end a line; a last line without a
    // line end counts; lines are not trimmed. Bytes 0 split a line and are dropped, and
    // a line of nothing else is no entry.
    void SetText(std::string_view text);
    std::string Text() const; // every entry followed by CR LF

    // Raises EFOpenError "Cannot open file PATH" when the file cannot be read.
    void LoadFromFile(const std::string &path);
    // Writes through a temporary file in the same folder and renames it over the target;
    // raises EFCreateError "Cannot create file PATH" and leaves the old file whole on failure.
    void SaveToFile(const std::string &path) const;

    std::vector<std::string>::const_iterator begin() const { return FItems.begin(); }
    std::vector<std::string>::const_iterator end() const { return FItems.end(); }

    // Case-insensitive comparison of two ANSI strings in alphabetical order: letters
    // compare by their base letter first, so accented letters sort beside plain ones;
    // strings that differ only in letter case are equal.
    static int CompareText(std::string_view a, std::string_view b);

private:
    void CheckIndex(int index) const;
    void AddLine(std::string_view line);
    void SortAndDropDuplicates();

    std::vector<std::string> FItems;
    bool FSorted = false;
};
