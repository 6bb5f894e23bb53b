#pragma once
// Hand-made .DCT bytes for tests that need exact or deliberately broken node layouts.

#include "dictionary/DctFormat.h"

#include <cstring>
#include <string>
#include <vector>

inline std::string DctHeader()
{
    std::string header(Dct::HeaderSize, '\0');
    std::memcpy(header.data() + Dct::IdentOffset, Dct::Ident, Dct::IdentSize);
    return header;
}

inline std::string RawDct(const std::vector<uint32_t> &nodes)
{
    std::string bytes = DctHeader();
    for (uint32_t node : nodes) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(char((node >> shift) & 0xFF));
    }
    return bytes;
}

inline uint32_t N(char letter, uint32_t child = 0, bool wordEnd = false, bool last = false)
{
    return Dct::MakeNode(static_cast<unsigned char>(letter), child, wordEnd, last);
}
