#pragma once
// Decoding of the 8-bit text in Rich Text documents (\'hh escapes and raw bytes) in the
// code page of the current font or of the document: single-byte pages (1250-1258, 874,
// 437, 850, 10000, ...) through a 256-entry table each, multi-byte pages (932, 936,
// 949, 950, UTF-8) by holding a lead byte until its trail bytes arrive.

#include <array>
#include <iconv.h>
#include <memory>
#include <string>
#include <vector>

// Code page number that stands for the Symbol character set (\fcharset2).
inline constexpr int RtfSymbolCodePage = 42;

// Code page of an \fcharset value; 0 when the value names none (the document's applies).
int RtfCodePageOfCharset(int charset);

class RtfCodePageDecoder
{
public:
    RtfCodePageDecoder();
    ~RtfCodePageDecoder();
    RtfCodePageDecoder(const RtfCodePageDecoder &) = delete;
    RtfCodePageDecoder &operator=(const RtfCodePageDecoder &) = delete;

    // Whether text in codePage can be decoded; others are read as code page 1252.
    bool Supports(int codePage);
    // Decodes one byte of codePage, appending to out what it completes (possibly nothing,
    // possibly a surrogate pair). Undecodable sequences give U+FFFD.
    void Put(int codePage, unsigned char byte, std::u16string &out);
    // A multi-byte character left incomplete (its lead byte held) ends as U+FFFD.
    void Flush(std::u16string &out);
    bool Pending() const { return pendingLength_ > 0; }

private:
    struct Page
    {
        int codePage = 0;
        bool supported = false;
        bool multiByte = false;
        std::array<char16_t, 256> single {}; // character of each byte that stands alone
        std::array<bool, 256> lead {}; // bytes that start a multi-byte character
        iconv_t converter = reinterpret_cast<iconv_t>(-1);
    };

    Page &PageOf(int codePage);
    void Build(Page &page);
    void PutMultiByte(Page &page, unsigned char byte, std::u16string &out);

    std::vector<std::unique_ptr<Page>> pages_;
    std::unique_ptr<Page> unknown_; // shared by every code page that is not supported
    Page *last_ = nullptr;
    Page *pendingPage_ = nullptr;
    std::array<unsigned char, 4> pending_ {};
    size_t pendingLength_ = 0;
};
