#include "spell/MemoUtil.h"

#include "platform/gui/TMemo.h"

#include <cmath>
#include <cstdlib>

TCaretLine GetCaretLine(TMemo &memo)
{
    const HWND handle = memo.Handle();
    const int line = static_cast<int>(SendMessage(handle, EM_LINEFROMCHAR, WPARAM(-1), 0));
    const int first = static_cast<int>(SendMessage(handle, EM_LINEINDEX, WPARAM(line), 0));
    return { memo.SelStart() - first, line };
}

int GetMemoCaretTop(TMemo &memo)
{
    const int first = static_cast<int>(SendMessage(memo.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
    const TCaretLine caret = GetCaretLine(memo);
    const QPoint origin = memo.ClientToScreen(QPoint(0, 0));
    // The font's pixel height scaled by the resolution, which leaves room for the
    // line spacing; halves round to even.
    const QFont font = memo.Font();
    const int dpi = memo.logicalDpiY();
    const double height = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpi / 72.0;
    const int lineHeight = static_cast<int>(std::nearbyint(std::abs(height) * dpi / 72.0));
    return (caret.Line - first) * lineHeight + origin.y();
}
