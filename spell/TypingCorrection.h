#pragma once
// Correcting a word as it is typed into an edit control: finding the word that ends before
// the caret and replacing it with its correction while the caret keeps its place after the
// separator just typed. The spell check component's AutoCorrectKey drives it with its
// change lists and auto-correct pairs.

#include <QString>
#include <functional>
#include <optional>
#include <string>

class TCustomEdit;

namespace TypingCorrection {

// The word (code page 1252) that ends just before the caret, the separator just typed
// aside; the caret is left on its first character. word is untouched when there is none to
// look at (caret at the start).
void WordBeforeCaret(TCustomEdit &edit, std::string &word);

// Reads the word before the caret with wordBeforeCaret, replaces it with what correction
// gives for it (nothing leaves it), and puts the caret and selection back, moved by the
// change in length. Returns the word read.
std::string CorrectBeforeCaret(
    TCustomEdit &edit, const std::function<void(std::string &word)> &wordBeforeCaret,
    const std::function<std::optional<QString>(const std::string &word)> &correction);

} // namespace TypingCorrection
