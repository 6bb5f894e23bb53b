#pragma once
// The encodings and line ends of plain-text files. A file is read as UTF-16 (little or
// big endian) when it starts with that byte-order mark, else as UTF-8 in which each byte
// that is not part of a well-formed sequence stands alone for its code page 1252
// character. What was found is kept, so the file can be written back the way it came.

#include <string>
#include <string_view>

namespace TextEncoding {

enum class TEncoding {
    Utf8, // also a file of well-formed UTF-8 with stray bytes
    Utf8Bom,
    Utf16LE, // with byte-order mark
    Utf16BE, // with byte-order mark
    Ansi, // code page 1252: bytes above 127 and not one well-formed UTF-8 sequence
};
enum class TLineBreak { Lf, CrLf, Cr };

// How a text file is written. The default, UTF-8 with LF, is that of a new file.
struct TTextFormat
{
    TEncoding Encoding = TEncoding::Utf8;
    TLineBreak LineBreak = TLineBreak::Lf; // the most common line end of the file read
    bool operator==(const TTextFormat &) const = default;
};

// Decodes a file's bytes into UTF-16 text (line ends as in the file, no byte-order mark).
TTextFormat DecodeText(std::string_view bytes, std::u16string &text);

// The bytes of text in a format; every CR LF, CR or LF of text becomes the format's line
// end. Text that code page 1252 cannot hold is written as UTF-8 instead, so that nothing
// is lost.
std::string EncodeText(std::u16string_view text, TTextFormat format);

// The code page 1252 bytes of text, one a character; false when a character has none.
bool EncodeAnsi(std::u16string_view text, std::string &out);

} // namespace TextEncoding
