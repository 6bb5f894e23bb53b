#pragma once
// Where a memo's caret line lies: its line and column, and its screen Y.

class TMemo;

struct TCaretLine
{
    int Column;
    int Line;
};

TCaretLine GetCaretLine(TMemo &memo);
// Screen Y of the caret's line, from the first visible line and the font's line height.
int GetMemoCaretTop(TMemo &memo);
