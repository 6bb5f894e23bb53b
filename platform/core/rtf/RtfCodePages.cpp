#include "platform/core/rtf/RtfCodePages.h"

#include "platform/core/CodePages.h"

#include <cerrno>
#include <cstdio>

namespace {

constexpr char16_t Replacement = u'\uFFFD';
const iconv_t NoConverter = reinterpret_cast<iconv_t>(-1);

// iconv's name of a code page documents use; empty for any other number, so that a
// document naming thousands of code pages costs no more than one naming a few.
std::string IconvName(int codePage)
{
    switch (codePage) {
    case 10000:
        return "MACINTOSH";
    case 65001:
        return "UTF-8";
    case 20127:
        return "ASCII";
    case 737:
    case 775:
    case 850:
    case 852:
    case 855:
    case 857:
    case 860:
    case 861:
    case 862:
    case 863:
    case 864:
    case 865:
    case 866:
    case 869:
    case 874:
    case 932:
    case 936:
    case 949:
    case 950:
        return "CP" + std::to_string(codePage);
    default:
        if (codePage >= 1250 && codePage <= 1258)
            return "CP" + std::to_string(codePage);
        if (codePage >= 28591 && codePage <= 28599)
            return "ISO-8859-" + std::to_string(codePage - 28590);
        return {};
    }
}

bool Builtin(int codePage)
{
    return codePage == 1252 || codePage == 437 || codePage == RtfSymbolCodePage;
}

void AppendCodePoint(std::u16string &out, char32_t cp)
{
    if (cp >= 0xD800 && cp <= 0xDFFF) {
        out += Replacement;
    } else if (cp < 0x10000) {
        out += char16_t(cp);
    } else if (cp <= 0x10FFFF) {
        cp -= 0x10000;
        out += char16_t(0xD800 + (cp >> 10));
        out += char16_t(0xDC00 + (cp & 0x3FF));
    } else {
        out += Replacement;
    }
}

enum class Outcome { Done, Incomplete, Invalid };

// Converts a whole byte sequence with a fresh conversion state; Done fills cps.
Outcome Convert(iconv_t converter, const unsigned char *bytes, size_t length,
                std::array<char32_t, 4> &cps, size_t &count)
{
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char *in = reinterpret_cast<char *>(const_cast<unsigned char *>(bytes));
    size_t inLeft = length;
    char buffer[sizeof(char32_t) * 4];
    char *outPtr = buffer;
    size_t outLeft = sizeof buffer;
    if (iconv(converter, &in, &inLeft, &outPtr, &outLeft) == size_t(-1))
        return errno == EINVAL ? Outcome::Incomplete : Outcome::Invalid;
    // Some converters hold a character back to combine it with the next; release it.
    if (iconv(converter, nullptr, nullptr, &outPtr, &outLeft) == size_t(-1))
        return Outcome::Invalid;
    count = size_t(outPtr - buffer) / sizeof(char32_t);
    for (size_t i = 0; i < count; ++i) {
        const auto *b = reinterpret_cast<const unsigned char *>(buffer) + i * 4;
        cps[i] = char32_t(b[0]) | char32_t(b[1]) << 8 | char32_t(b[2]) << 16 | char32_t(b[3]) << 24;
    }
    return count > 0 ? Outcome::Done : Outcome::Incomplete;
}

} // namespace

int RtfCodePageOfCharset(int charset)
{
    switch (charset) {
    case 0:
        return 1252;
    case 2:
        return RtfSymbolCodePage;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
    case 255:
        return 437;
    default:
        return 0;
    }
}

RtfCodePageDecoder::RtfCodePageDecoder() = default;

RtfCodePageDecoder::~RtfCodePageDecoder()
{
    for (auto &page : pages_)
        if (page->converter != NoConverter)
            iconv_close(page->converter);
}

bool RtfCodePageDecoder::Supports(int codePage)
{
    return PageOf(codePage).supported;
}

RtfCodePageDecoder::Page &RtfCodePageDecoder::PageOf(int codePage)
{
    if (last_ && last_->codePage == codePage)
        return *last_;
    for (auto &page : pages_)
        if (page->codePage == codePage)
            return *(last_ = page.get());
    if (!Builtin(codePage) && IconvName(codePage).empty()) {
        if (!unknown_) {
            unknown_ = std::make_unique<Page>();
            Build(*unknown_); // code page 0: the code page 1252 fallback
        }
        return *unknown_;
    }
    auto page = std::make_unique<Page>();
    page->codePage = codePage;
    Build(*page);
    pages_.push_back(std::move(page));
    return *(last_ = pages_.back().get());
}

void RtfCodePageDecoder::Build(Page &page)
{
    const int cp = page.codePage;
    if (Builtin(cp)) {
        for (int b = 0; b < 256; ++b)
            page.single[b] = cp == 437 ? CodePages::OemToUnicode(b) : CodePages::AnsiToUnicode(b);
        if (cp == RtfSymbolCodePage) {
            // Bullets that lists draw from symbol fonts.
            page.single[0xB7] = u'\u2022';
            page.single[0xA7] = u'\u25AA';
            page.single[0xD8] = u'\u27A2';
            page.single[0xFC] = u'\u2713';
        }
        page.supported = true;
        return;
    }
    const std::string name = IconvName(cp);
    if (!name.empty())
        page.converter = iconv_open("UTF-32LE", name.c_str());
    if (page.converter == NoConverter) {
        // Unknown code page: read as code page 1252, the most common guess.
        for (int b = 0; b < 256; ++b)
            page.single[b] = CodePages::AnsiToUnicode(b);
        return;
    }
    page.supported = true;
    for (int b = 0; b < 256; ++b) {
        const unsigned char byte = static_cast<unsigned char>(b);
        std::array<char32_t, 4> cps {};
        size_t count = 0;
        switch (Convert(page.converter, &byte, 1, cps, count)) {
        case Outcome::Done:
            page.single[b] = (count == 1 && cps[0] < 0x10000) ? char16_t(cps[0]) : Replacement;
            break;
        case Outcome::Incomplete:
            page.lead[b] = true;
            page.multiByte = true;
            page.single[b] = Replacement;
            break;
        case Outcome::Invalid:
            page.single[b] = b < 0x80 ? char16_t(b) : Replacement;
            break;
        }
    }
}

void RtfCodePageDecoder::Put(int codePage, unsigned char byte, std::u16string &out)
{
    Page &page = PageOf(codePage);
    if (pendingLength_ > 0 && pendingPage_ != &page)
        Flush(out);
    if (pendingLength_ == 0 && !page.lead[byte]) {
        out += page.single[byte];
        return;
    }
    PutMultiByte(page, byte, out);
}

void RtfCodePageDecoder::PutMultiByte(Page &page, unsigned char byte, std::u16string &out)
{
    pendingPage_ = &page;
    pending_[pendingLength_++] = byte;
    if (pendingLength_ == 1)
        return; // a lead byte: wait for the rest
    std::array<char32_t, 4> cps {};
    size_t count = 0;
    const Outcome outcome = Convert(page.converter, pending_.data(), pendingLength_, cps, count);
    if (outcome == Outcome::Done) {
        for (size_t i = 0; i < count; ++i)
            AppendCodePoint(out, cps[i]);
        pendingLength_ = 0;
        return;
    }
    if (outcome == Outcome::Incomplete && pendingLength_ < pending_.size())
        return;
    // The lead byte starts nothing valid: it becomes U+FFFD and the bytes after it are
    // decoded afresh, so an ASCII letter after a stray lead byte survives.
    const std::array<unsigned char, 4> rest = pending_;
    const size_t restLength = pendingLength_ - 1;
    pendingLength_ = 0;
    out += Replacement;
    for (size_t i = 0; i < restLength; ++i) {
        const unsigned char b = rest[1 + i];
        if (pendingLength_ == 0 && !page.lead[b])
            out += page.single[b];
        else
            PutMultiByte(page, b, out);
    }
}

void RtfCodePageDecoder::Flush(std::u16string &out)
{
    if (pendingLength_ > 0)
        out += Replacement;
    pendingLength_ = 0;
}
