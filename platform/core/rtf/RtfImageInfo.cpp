#include "platform/core/rtf/RtfImageInfo.h"

namespace {

uint32_t BigEndian(std::string_view data, size_t at, size_t bytes)
{
    uint32_t value = 0;
    for (size_t i = 0; i < bytes; ++i)
        value = value << 8 | static_cast<unsigned char>(data[at + i]);
    return value;
}

constexpr std::string_view PngSignature("\x89PNG\r\n\x1a\n", 8);

bool JpegSize(std::string_view data, int32_t &width, int32_t &height)
{
    size_t pos = 2;
    while (pos + 4 <= data.size()) {
        if (static_cast<unsigned char>(data[pos]) != 0xFF)
            return false;
        const unsigned char marker = static_cast<unsigned char>(data[pos + 1]);
        if (marker == 0xFF) {
            ++pos; // fill byte
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9)) {
            pos += 2; // markers without a segment
            continue;
        }
        const size_t length = BigEndian(data, pos + 2, 2);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8
            && marker != 0xCC;
        if (frame) {
            if (pos + 9 > data.size())
                return false;
            height = static_cast<int32_t>(BigEndian(data, pos + 5, 2));
            width = static_cast<int32_t>(BigEndian(data, pos + 7, 2));
            return width > 0 && height > 0;
        }
        if (length < 2)
            return false;
        pos += 2 + length;
    }
    return false;
}

} // namespace

bool RtfImageHasSignature(RtfPicture::Kind kind, std::string_view data)
{
    if (kind == RtfPicture::Kind::Other)
        return false;
    if (kind == RtfPicture::Kind::Png)
        return data.starts_with(PngSignature);
    return data.size() >= 3 && static_cast<unsigned char>(data[0]) == 0xFF
        && static_cast<unsigned char>(data[1]) == 0xD8
        && static_cast<unsigned char>(data[2]) == 0xFF;
}

bool RtfImagePixelSize(RtfPicture::Kind kind, std::string_view data, int32_t &width,
                       int32_t &height)
{
    if (!RtfImageHasSignature(kind, data))
        return false;
    if (kind == RtfPicture::Kind::Jpeg)
        return JpegSize(data, width, height);
    // PNG: the IHDR chunk comes first, width and height its first eight bytes.
    if (data.size() < 24 || data.substr(12, 4) != "IHDR")
        return false;
    const uint32_t w = BigEndian(data, 16, 4);
    const uint32_t h = BigEndian(data, 20, 4);
    if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF)
        return false;
    width = static_cast<int32_t>(w);
    height = static_cast<int32_t>(h);
    return true;
}
