#include "spell/AutoCorrections.h"

void AutoCorrections::Assign(const std::vector<TCorrection> &pairs)
{
    Clear();
    for (const TCorrection &pair : pairs) {
        FFrom.Add(pair.From);
        FTo.Add(pair.To);
    }
}

void AutoCorrections::Clear()
{
    FFrom.Clear();
    FTo.Clear();
}

QString AutoCorrections::AsTyped(const QString &typed, const std::string &utf8, bool matchCase)
{
    QString replacement = QString::fromStdString(utf8);
    if (!matchCase)
        return replacement;
    const bool allUpper = typed.size() > 1 && typed == typed.toUpper() && typed != typed.toLower();
    if (allUpper)
        return replacement.toUpper();
    if (!typed.isEmpty() && typed.at(0).isUpper() && !replacement.isEmpty())
        replacement[0] = replacement.at(0).toUpper();
    return replacement;
}
