#pragma once
// The three edit control kinds, made by name for data-driven tests.

#include "platform/gui/TEdit.h"
#include "platform/gui/TMemo.h"
#include "platform/gui/TRichEdit.h"

#include <QString>
#include <memory>

inline std::unique_ptr<TCustomEdit> MakeEdit(const QString &kind)
{
    if (kind == QLatin1String("edit"))
        return std::make_unique<TEdit>();
    if (kind == QLatin1String("memo")) {
        auto memo = std::make_unique<TMemo>();
        memo->setLineWrapMode(QPlainTextEdit::NoWrap);
        return memo;
    }
    auto rich = std::make_unique<TRichEdit>();
    rich->setLineWrapMode(QTextEdit::NoWrap);
    return rich;
}

// The control position of an offset into Text(): a rich edit counts CR LF as one.
inline int ControlPos(const TCustomEdit &edit, const QString &text, int offset)
{
    if (!dynamic_cast<const TRichEdit *>(&edit))
        return offset;
    return offset - static_cast<int>(text.left(offset).count(QLatin1Char('\r')));
}
