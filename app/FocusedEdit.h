#pragma once
// The standard edit commands act on whichever edit control has the keyboard focus (a
// line, a rich text or a plain text); with the focus elsewhere they do nothing.

namespace FocusedEdit {

void Cut();
void Copy();
void Paste();
bool HasSelection();

} // namespace FocusedEdit
