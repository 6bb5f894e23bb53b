#pragma once
// Writing to standard output and standard error in the order the user reads them.

#include <string>
#include <string_view>

constexpr std::string_view ProgramName = "scrivlo-spell";

// Writes bytes to standard output (buffered).
void PrintOut(std::string_view text);
// Flushes standard output, then writes one line to standard error.
void PrintError(std::string_view line);
// Flushes standard output; false when anything written to it was lost.
bool FinishOutput();

// Appends ": a, b, c" for a list, or ":" alone when it is empty; toUtf8 converts an entry.
template<class List, class ToUtf8>
void AppendList(std::string &out, const List &list, ToUtf8 toUtf8)
{
    out += ':';
    const char *separator = " ";
    for (const auto &entry : list) {
        out += separator;
        out += toUtf8(entry);
        separator = ", ";
    }
}
