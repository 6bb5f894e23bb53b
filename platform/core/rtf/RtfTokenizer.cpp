#include "platform/core/rtf/RtfTokenizer.h"

namespace {

bool IsLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

int HexValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

RtfToken RtfTokenizer::Next()
{
    RtfToken token;
    while (pos_ < input_.size()) {
        const unsigned char c = static_cast<unsigned char>(input_[pos_]);
        switch (c) {
        case '{':
            ++pos_;
            token.type = RtfToken::Type::GroupOpen;
            return token;
        case '}':
            ++pos_;
            token.type = RtfToken::Type::GroupClose;
            return token;
        case '\r':
        case '\n':
            ++pos_;
            continue;
        case '\\':
            token = ReadControl();
            if (token.type == RtfToken::Type::End && pos_ < input_.size())
                continue; // a malformed \' escape: nothing to report, read on
            return token;
        default: {
            const size_t start = pos_;
            while (pos_ < input_.size()) {
                const char d = input_[pos_];
                if (d == '\\' || d == '{' || d == '}' || d == '\r' || d == '\n')
                    break;
                ++pos_;
            }
            token.type = RtfToken::Type::Text;
            token.text = input_.substr(start, pos_ - start);
            return token;
        }
        }
    }
    return token;
}

RtfToken RtfTokenizer::ReadControl()
{
    RtfToken token;
    ++pos_; // the backslash
    if (pos_ >= input_.size())
        return token;
    const unsigned char c = static_cast<unsigned char>(input_[pos_]);
    if (!IsLetter(c)) {
        ++pos_;
        if (c == '\'') {
            const int high = pos_ < input_.size() ? HexValue(input_[pos_]) : -1;
            const int low = high >= 0 && pos_ + 1 < input_.size() ? HexValue(input_[pos_ + 1]) : -1;
            if (low < 0) {
                pos_ += high >= 0 ? 1 : 0;
                return token; // End with input left: the caller reads on
            }
            pos_ += 2;
            token.type = RtfToken::Type::HexByte;
            token.byte = static_cast<unsigned char>(high * 16 + low);
            return token;
        }
        token.type = RtfToken::Type::ControlSymbol;
        token.symbol = (c == '\r' || c == '\n') ? '\n' : static_cast<char>(c);
        return token;
    }
    const size_t start = pos_;
    while (pos_ < input_.size() && IsLetter(input_[pos_]))
        ++pos_;
    token.type = RtfToken::Type::ControlWord;
    token.text = input_.substr(start, pos_ - start);
    bool negative = false;
    if (pos_ + 1 < input_.size() && input_[pos_] == '-' && IsDigit(input_[pos_ + 1])) {
        negative = true;
        ++pos_;
    }
    if (pos_ < input_.size() && IsDigit(input_[pos_])) {
        int64_t value = 0;
        while (pos_ < input_.size() && IsDigit(input_[pos_])) {
            if (value <= ParamLimit)
                value = value * 10 + (input_[pos_] - '0');
            ++pos_;
        }
        if (value > ParamLimit)
            value = ParamLimit;
        token.hasParam = true;
        token.param = static_cast<int32_t>(negative ? -value : value);
    }
    if (pos_ < input_.size() && input_[pos_] == ' ')
        ++pos_; // the delimiting space belongs to the control word
    if (token.text == "bin") {
        const int64_t wanted = token.hasParam && token.param > 0 ? token.param : 0;
        const size_t available = input_.size() - pos_;
        size_t length = static_cast<size_t>(wanted);
        if (length > available) {
            length = available;
            binaryCut_ = true;
        }
        token.type = RtfToken::Type::Binary;
        token.text = input_.substr(pos_, length);
        pos_ += length;
    }
    return token;
}
