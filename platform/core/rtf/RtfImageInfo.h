#pragma once
// What the Rich Text code needs to know about a picture's bytes: whether they really are
// a PNG or JPEG file, and the image's size in pixels.

#include "platform/core/rtf/RtfDocument.h"

#include <cstdint>
#include <string_view>

// Whether data begins with the signature of kind's file format.
bool RtfImageHasSignature(RtfPicture::Kind kind, std::string_view data);

// The image's width and height in pixels, read from the PNG header or the JPEG frame
// header; false when the bytes hold no such header.
bool RtfImagePixelSize(RtfPicture::Kind kind, std::string_view data, int32_t &width,
                       int32_t &height);

// Twips per pixel at 96 dots per inch.
inline constexpr int32_t RtfTwipsPerPixel = 15;
