#pragma once
// The common face of the edit controls (TEdit, TMemo, TRichEdit). Each control is its Qt
// widget and this interface at once, and registers a window handle for the edit
// messages while it lives.
//
// Positions are 0-based control positions. Multi-line controls report their text with
// CR LF line ends; TMemo counts such a line end as two positions, TRichEdit counts a
// paragraph break as one, so its Text() is one character longer than its positions
// for every break before a position.

#include "platform/gui/EditMessages.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

class QWidget;

class TCustomEdit
{
public:
    TCustomEdit();
    virtual ~TCustomEdit();
    TCustomEdit(const TCustomEdit &) = delete;
    TCustomEdit &operator=(const TCustomEdit &) = delete;

    HWND Handle() const { return FHandle; }
    virtual QWidget *Widget() = 0;
    const QWidget *Widget() const { return const_cast<TCustomEdit *>(this)->Widget(); }
    // The widget whose coordinates are the control's client coordinates.
    virtual QWidget *ClientWidget() { return Widget(); }

    virtual QString Text() const = 0;
    virtual void SetText(const QString &text) = 0; // also clears Modified
    void Clear(); // empties the text and clears Modified
    virtual int PositionCount() const = 0; // number of control positions of the text

    // The ANSI view: one byte per UTF-16 unit of Text() ('?' where code page 1252 has no
    // such character), so a byte offset and a text offset always name the same character.
    std::string AnsiText() const;
    int GetTextLen() const { return static_cast<int>(Text().size()); }
    // Copies at most size - 1 bytes of the ANSI view and a terminating zero; returns the
    // number of bytes copied without the terminator.
    int GetTextBuf(char *buffer, int size) const;

    virtual int SelStart() const = 0;
    virtual void SetSelStart(int pos) = 0; // places the caret, no selection
    virtual int SelLength() const = 0;
    virtual void SetSelLength(int length) = 0; // selects from SelStart on
    void Select(int start, int length);
    virtual QString SelText() const = 0;
    virtual void SetSelText(const QString &text) = 0; // replaces the selection

    virtual bool Modified() const = 0;
    virtual void SetModified(bool value) = 0;

    // Whether the selection is hidden while the control has no focus. A disabled control
    // draws its text as an enabled one does.
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value);

    void SetFocus();
    QFont Font() const;
    void SetFont(const QFont &font);

    // Geometry in client coordinates: the caret, and the top left of the character at a
    // position (nothing for a position beyond the text).
    virtual QRect CaretRect() const = 0;
    virtual std::optional<QPoint> PosFromChar(int pos) const = 0;
    QPoint ClientToScreen(QPoint point);

    // Lines as displayed (wrapped lines count).
    virtual int LineFromChar(int pos) const = 0;
    virtual int LineIndex(int line) const = 0; // first position of a line, -1 beyond the last
    virtual int FirstVisibleLine() const = 0;
    // Largest text the control takes; never below the current text length.
    virtual int LimitText() const = 0;

    // Grows with every change of the text, so a reader can tell whether a copy it took is
    // still current.
    uint64_t TextVersion() const { return FTextVersion; }

protected:
    void NoteTextChanged() { ++FTextVersion; }

private:
    uint64_t FTextVersion = 0;
    HWND FHandle = nullptr;
    bool FHideSelection = true;
};

// Line ends of a text as the Qt document wants them: CR LF and lone CR become LF.
QString NormalizeLineEnds(const QString &text);
