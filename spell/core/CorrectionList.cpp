#include "spell/core/CorrectionList.h"

#include "platform/core/CodePages.h"
#include "platform/core/TStringList.h"
#include "spell/core/SpellTypes.h"

#include <algorithm>

std::vector<TCorrection> CorrectionList::Parse(const TStringList &lines,
                                               const std::function<bool(const AnsiText &)> &neverTo)
{
    std::u16string decoded;
    const bool utf8 = std::all_of(lines.begin(), lines.end(), [&](const std::string &line) {
        return CodePages::DecodeUtf8(line, decoded);
    });
    std::vector<TCorrection> pairs;
    for (const std::string &whole : lines) {
        std::u16string line;
        if (utf8)
            CodePages::DecodeUtf8(whole, line);
        else
            line = CodePages::DecodeAnsi(whole);
        line.resize(std::min<size_t>(line.size(), MaxShortString));
        const size_t eq = line.find(u'=');
        if (eq == std::u16string::npos || eq == 0 || eq + 1 == line.size())
            continue;
        const std::u16string from = line.substr(0, eq), to = line.substr(eq + 1);
        if (std::any_of(from.begin(), from.end(),
                        [](char16_t unit) { return CodePages::UnicodeToAnsi(unit) < 0; }))
            continue;
        if (neverTo && neverTo(CodePages::Utf16ToAnsi(to)))
            continue;
        pairs.push_back({ CodePages::Utf16ToAnsi(from).str(), CodePages::EncodeUtf8(to) });
    }
    return pairs;
}
