#pragma once
// Rich Text (RTF) to and from a QTextDocument.

#include <QTextDocument>
#include <string>
#include <string_view>

// Fills doc from RTF bytes; false when the bytes are not RTF or cannot be read.
bool ReadRichText(std::string_view bytes, QTextDocument &doc);
// The document as RTF bytes.
std::string WriteRichText(const QTextDocument &doc);
