#pragma once
// The pairs of a correction list ("teh=the", one a line), as the spell check component
// reads them from its auto-correct file. A file whose every line is UTF-8 is read so;
// any other as code page 1252. Each line is cut to 255 characters first; a line without
// "=", or with nothing on one side of it, is passed over, and so is a misspelling that code
// page 1252 cannot hold (the scan never meets it).

#include "platform/core/CodePageText.h"

#include <functional>
#include <string>
#include <vector>

class TStringList;

struct TCorrection
{
    std::string From; // code page 1252, as the scan reads words
    std::string To; // UTF-8
};

namespace CorrectionList {

// neverTo, when given, passes over a pair whose correction it names (asked only for the
// pairs that are otherwise sound).
std::vector<TCorrection> Parse(const TStringList &lines,
                               const std::function<bool(const AnsiText &)> &neverTo = {});

} // namespace CorrectionList
