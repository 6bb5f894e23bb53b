#pragma once
// A multi-line plain text control. Its text has CR LF line ends and its positions count
// each CR LF as two, so a position in Text() is a control position.

#include "platform/gui/TCustomMemo.h"

#include <QPlainTextEdit>

class TMemo : public QPlainTextEdit, public TCustomMemo
{
    Q_OBJECT
public:
    explicit TMemo(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    QWidget *ClientWidget() override { return viewport(); }
    int LimitText() const override; // at least 30000, the classic default

protected:
    QTextDocument *Document() const override { return document(); }
    QTextCursor TextCursor() const override { return textCursor(); }
    void SetTextCursor(const QTextCursor &cursor) override { setTextCursor(cursor); }
    QRect CursorRect(const QTextCursor &cursor) const override { return cursorRect(cursor); }
    QTextCursor CursorForPosition(QPoint point) const override { return cursorForPosition(point); }
    void ReplaceDocumentText(const QString &text) override { setPlainText(text); }
};
