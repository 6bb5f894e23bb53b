// TEMPORARY stand-in for the rich text adapter until the RTF reader and writer exist:
// reads nothing (every load falls back to plain text) and writes the plain text as a
// minimal RTF document without formatting. To be replaced by the real adapter.

#include "platform/gui/RichTextAdapter.h"

#include <QString>

bool ReadRichText(std::string_view, QTextDocument &)
{
    return false;
}

std::string WriteRichText(const QTextDocument &doc)
{
    std::string out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\n";
    const QString text = doc.toRawText();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text.at(i).unicode();
        if (ch == QChar::ParagraphSeparator)
            out += "\\par\n";
        else if (ch == QChar::LineSeparator)
            out += "\\line ";
        else if (ch == '\\' || ch == '{' || ch == '}')
            out += std::string("\\") + static_cast<char>(ch);
        else if (ch == '\t')
            out += "\\tab ";
        else if (ch >= 0x20 && ch < 0x80)
            out += static_cast<char>(ch);
        else
            out += "\\u" + std::to_string(static_cast<int16_t>(ch)) + "?";
    }
    out += "}\n";
    return out;
}
