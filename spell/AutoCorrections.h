#pragma once
// The pairs of the spell check component's auto-correct list, as loaded, and the rule that
// gives a correction the capitals the child typed. The component keeps its designed
// properties; this holds what they load.

#include "platform/core/TStringList.h"
#include "spell/core/CorrectionList.h"

#include <QString>
#include <string>
#include <vector>

class AutoCorrections
{
public:
    void Assign(const std::vector<TCorrection> &pairs);
    void Clear();
    // The position of a misspelling (code page 1252) in the list, -1 when it is none.
    int IndexOf(const std::string &word) const { return FFrom.IndexOf(word); }
    const TStringList &From() const { return FFrom; } // code page 1252, as the scan reads words
    const TStringList &To() const { return FTo; } // UTF-8

    // A correction (UTF-8) for a word typed so: with matchCase, "Teh" gives "The" and "TEH"
    // gives "THE"; without, the correction as listed.
    static QString AsTyped(const QString &typed, const std::string &utf8, bool matchCase);

private:
    TStringList FFrom;
    TStringList FTo;
};
