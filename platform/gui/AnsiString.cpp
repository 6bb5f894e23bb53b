#include "platform/gui/AnsiString.h"

#include "platform/core/CodePages.h"

QString FromAnsi(std::string_view ansi)
{
    const std::u16string units = CodePages::DecodeAnsi(ansi);
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
}

AnsiText ToAnsi(QStringView text)
{
    return CodePages::Utf16ToAnsi({ text.utf16(), size_t(text.size()) });
}
