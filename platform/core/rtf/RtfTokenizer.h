#pragma once
// Splits Rich Text into tokens: group braces, control words with their parameters,
// control symbols, \'hh bytes, runs of plain text and \binN data. Line ends are dropped
// (they mean nothing in the format). Never reads past the input; never allocates.

#include <cstdint>
#include <string_view>

// Value of a hexadecimal digit, -1 for any other byte.
int HexValue(unsigned char c);

struct RtfToken
{
    enum class Type : uint8_t {
        End,
        GroupOpen,
        GroupClose,
        ControlWord, // text = name; param valid when hasParam
        ControlSymbol, // symbol = the character after the backslash ('\n' for a line end)
        HexByte, // \'hh: byte
        Text, // text = a run of bytes with no backslash, brace or line end
        Binary, // \binN: text = the data
    };
    Type type = Type::End;
    bool hasParam = false;
    unsigned char byte = 0;
    char symbol = 0;
    int32_t param = 0;
    std::string_view text;
};

class RtfTokenizer
{
public:
    // Parameters beyond this magnitude are clamped to it.
    static constexpr int32_t ParamLimit = 2'000'000'000;

    explicit RtfTokenizer(std::string_view input)
        : input_(input)
    { }

    RtfToken Next();
    size_t Position() const { return pos_; }
    // Whether a \binN promised more bytes than the input held.
    bool BinaryCut() const { return binaryCut_; }

private:
    RtfToken ReadControl();

    std::string_view input_;
    size_t pos_ = 0;
    bool binaryCut_ = false;
};
