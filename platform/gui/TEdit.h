#pragma once
// A single-line edit control. Positions are the QLineEdit's cursor positions.

#include "platform/gui/TCustomEdit.h"

#include <QLineEdit>
#include <algorithm>

class TEdit : public QLineEdit, public TCustomEdit
{
    Q_OBJECT
public:
    explicit TEdit(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    QString Text() const override { return text(); }
    void SetText(const QString &text) override; // also clears Modified
    int PositionCount() const override { return static_cast<int>(text().size()); }

    int SelStart() const override;
    void SetSelStart(int pos) override;
    int SelLength() const override { return static_cast<int>(selectionLength()); }
    void SetSelLength(int length) override;
    QString SelText() const override { return selectedText(); }
    void SetSelText(const QString &text) override;

    bool Modified() const override { return isModified(); }
    void SetModified(bool value) override { setModified(value); }

    QRect CaretRect() const override;
    std::optional<QPoint> PosFromChar(int pos) const override;
    int LineFromChar(int) const override { return 0; }
    int LineIndex(int line) const override { return line == 0 || line == -1 ? 0 : -1; }
    int
    FirstVisibleLine() const override; // the first visible character, as single-line edits answer
    int LimitText() const override { return std::max(maxLength(), PositionCount()); }
};
