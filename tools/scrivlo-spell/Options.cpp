#include "tools/scrivlo-spell/Options.h"

#include <charconv>
#include <string_view>

namespace {

bool ParseMaxCount(std::string_view text, uint16_t &value)
{
    unsigned parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || parsed < 1
        || parsed > 255)
        return false;
    value = uint16_t(parsed);
    return true;
}

std::optional<Command> CommandNamed(std::string_view name)
{
    if (name == "check")
        return Command::Check;
    if (name == "suggest")
        return Command::Suggest;
    if (name == "complete")
        return Command::Complete;
    if (name == "-a" || name == "pipe")
        return Command::Pipe;
    return std::nullopt;
}

} // namespace

std::string ParseOptions(int argc, const char *const *argv, Options &options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return {};
        }
        if (arg == "--version") {
            options.version = true;
            return {};
        }
        if (arg == "--classic") {
            options.classic = true;
            continue;
        }
        if (arg == "--no-context") {
            options.context = false;
            continue;
        }
        if (const auto command = CommandNamed(arg)) {
            options.command = *command;
            options.arguments.assign(argv + i + 1, argv + argc);
            return {};
        }
        // --name VALUE or --name=VALUE
        std::string_view name = arg, value;
        bool hasValue = false;
        if (const size_t eq = arg.find('=');
            arg.starts_with("--") && eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        if (name != "--dict" && name != "--user" && name != "--exclude" && name != "--max")
            return "unknown option or command '" + std::string(arg) + "'";
        if (!hasValue) {
            if (i + 1 >= argc)
                return "option " + std::string(name) + " needs a value";
            value = argv[++i];
        }
        if (name == "--dict")
            options.dictionary = std::string(value);
        else if (name == "--user")
            options.userList = std::string(value);
        else if (name == "--exclude")
            options.exclusionList = std::string(value);
        else if (!ParseMaxCount(value, options.maxCount))
            return "--max takes a number from 1 to 255, not '" + std::string(value) + "'";
    }
    return "no command given";
}

const char *VersionText()
{
    return "scrivlo-spell " SCRIVLO_VERSION "\n";
}

const char *UsageText()
{
    return "Usage: scrivlo-spell [OPTION]... COMMAND [ARGUMENT]...\n"
           "Checks spelling against a Scrivlo dictionary (.DCT) and the user's word list.\n"
           "\n"
           "Commands:\n"
           "  check [FILE]...      print each unknown word as FILE:LINE:COLUMN: WORD,\n"
           "                       and each word its sentence says is wrong or needs a\n"
           "                       capital as FILE:LINE:COLUMN: WORD -> SUGGESTION\n"
           "                       (no FILE or '-': standard input)\n"
           "  suggest WORD...      print WORD: suggestion, suggestion, ...\n"
           "  complete PREFIX...   print PREFIX: word, word, ... of words extending PREFIX\n"
           "  -a, pipe             check lines from standard input for an editor\n"
           "                       (spell-checker pipe protocol)\n"
           "\n"
           "Options:\n"
           "  --dict FILE      dictionary (default: ENGLISH.DCT of the program's data)\n"
           "  --user FILE      user word list, read only (default: the editor's learned\n"
           "                   words, ~/.local/share/scrivlo/USERDCT.TXT, USERDCT-ES.TXT\n"
           "                   for ESPANOL.DCT)\n"
           "  --exclude FILE   list of words never to accept\n"
           "  --max N          longest list to print, 1 to 255 (default 10)\n"
           "  --classic        suggest, complete and -a: the dictionary's own ranked\n"
           "                   search and list, without the children's ranking and the\n"
           "                   never-suggest list\n"
           "  --no-context     check: unknown words only, no words weighed in their\n"
           "                   sentence and no capitals\n"
           "  --help           show this help\n"
           "  --version        show the version\n"
           "\n"
           "Text is read as UTF-8, or as Windows-1252 when it is not valid UTF-8.\n"
           "In context, a paragraph ends at an empty line; words are weighed by the\n"
           "English word-sequence model of pocketsphinx-en-us (SCRIVLO_WORD_MODEL names\n"
           "another, empty: none), and without it only capitals are checked.\n"
           "Exit status: 0 nothing found, 1 unknown or wrong words found, 2 trouble.\n";
}
