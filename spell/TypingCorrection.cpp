#include "spell/TypingCorrection.h"

#include "platform/core/CodePages.h"
#include "platform/gui/AnsiString.h"
#include "platform/gui/TCustomEdit.h"
#include "spell/core/WordScan.h"

namespace {

// Whether the control's character at pos (one selected) is a word character of the scan.
bool SelectedIsWordChar(TCustomEdit &edit)
{
    const QString text = edit.SelText();
    if (text.isEmpty())
        return false;
    return WordScan::IsWordChar(CodePages::Utf16UnitToAnsi(text.at(0).unicode()));
}

void SelectOne(TCustomEdit &edit, int pos)
{
    edit.SetSelStart(pos);
    edit.SetSelLength(1);
}

} // namespace

namespace TypingCorrection {

void WordBeforeCaret(TCustomEdit &edit, std::string &word)
{
    if (edit.SelStart() == 0)
        return;
    int pos = edit.SelStart() - 1;
    SelectOne(edit, pos);
    if (pos == 0)
        return;
    if (!SelectedIsWordChar(edit)) {
        // Step over the separator just typed, and the CR of a line break (a memo's CR LF
        // takes two positions, of which only the first selects anything).
        SelectOne(edit, --pos);
        const QString selected = edit.SelText();
        if ((selected.isEmpty() || selected.startsWith(QChar('\r'))) && pos > 0)
            SelectOne(edit, --pos);
    }
    std::string collected;
    auto take = [&] {
        collected.insert(
            collected.begin(),
            static_cast<char>(CodePages::Utf16UnitToAnsi(edit.SelText().at(0).unicode())));
    };
    while (pos > 0 && SelectedIsWordChar(edit)) {
        take();
        SelectOne(edit, --pos);
    }
    int first = pos + 1;
    if (pos == 0 && SelectedIsWordChar(edit)) {
        take();
        first = 0;
    }
    if (!collected.empty())
        edit.SetSelStart(first);
    word = collected;
}

std::string
CorrectBeforeCaret(TCustomEdit &edit, const std::function<void(std::string &word)> &wordBeforeCaret,
                   const std::function<std::optional<QString>(const std::string &word)> &correction)
{
    const int selStart = edit.SelStart();
    const int selLength = edit.SelLength();
    std::string word;
    wordBeforeCaret(word);
    const std::optional<QString> replacement = correction(word);
    if (!replacement) {
        edit.SetSelStart(selStart);
    } else {
        const QString typed = FromAnsi(word);
        edit.SetSelLength(static_cast<int>(typed.size()));
        edit.SetSelText(*replacement);
        edit.SetSelStart(selStart + static_cast<int>(replacement->size() - typed.size()));
        edit.SetSelLength(selLength);
    }
    return word;
}

} // namespace TypingCorrection
