#pragma once
// What TMemo and TRichEdit share: a multi-line control over a QTextDocument. The two
// differ in how a line end counts in positions (BreakWidth): TMemo counts CR LF as two,
// TRichEdit counts a paragraph break as one.

#include "platform/gui/TCustomEdit.h"

#include <QTextCursor>
#include <set>

class QTextDocument;

class TCustomMemo : public TCustomEdit
{
public:
    QString Text() const override;
    void SetText(const QString &text) override;
    int PositionCount() const override;

    int SelStart() const override;
    void SetSelStart(int pos) override;
    int SelLength() const override;
    void SetSelLength(int length) override;
    QString SelText() const override;
    void SetSelText(const QString &text) override;

    bool Modified() const override;
    void SetModified(bool value) override;

    QRect CaretRect() const override;
    std::optional<QPoint> PosFromChar(int pos) const override;
    int LineFromChar(int pos) const override;
    int LineIndex(int line) const override;
    int FirstVisibleLine() const override;

    // Control position <-> position in the Qt document. A position between the CR and
    // the LF of a TMemo line end maps to the end of that line.
    int ToControl(int docPos) const;
    int FromControl(int pos) const;

protected:
    explicit TCustomMemo(int breakWidth)
        : FBreakWidth(breakWidth)
    { }

    virtual QTextDocument *Document() const = 0;
    virtual QTextCursor TextCursor() const = 0;
    virtual void SetTextCursor(const QTextCursor &cursor) = 0;
    virtual QRect CursorRect(const QTextCursor &cursor) const = 0; // viewport coordinates
    virtual QTextCursor CursorForPosition(QPoint point) const = 0;
    virtual void ReplaceDocumentText(const QString &text) = 0;

    // The document's characters from..to with line ends written as CR LF, leaving out the
    // characters at the skipped positions.
    QString TextBetween(int docFrom, int docTo, const std::set<int> &skipped = {}) const;

private:
    int LineOfDocPos(int docPos) const;
    const int FBreakWidth;
};
