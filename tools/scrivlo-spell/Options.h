#pragma once
// The command line: scrivlo-spell [--dict FILE] [--user FILE] [--exclude FILE] [--max N]
// [--classic] [--no-context] COMMAND ARGUMENT...

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class Command { Check, Suggest, Complete, Pipe };

struct Options
{
    bool help = false;
    bool version = false;
    std::optional<std::string> dictionary; // default: ENGLISH.DCT beside the program
    std::optional<std::string> userList; // default: USERDCT.TXT beside the dictionary
    std::optional<std::string> exclusionList;
    uint16_t maxCount = 10; // entries per list, 1..255
    bool classic = false; // the dictionary's own suggestion search instead of the children's
    bool context = true; // check: words in their sentence and capitals too
    Command command = Command::Check;
    std::vector<std::string> arguments; // everything after the command
};

// Fills options from argv. Returns an empty string, or the reason for a usage error.
std::string ParseOptions(int argc, const char *const *argv, Options &options);

const char *UsageText();
const char *VersionText(); // "scrivlo-spell VERSION" and a newline
