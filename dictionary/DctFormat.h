#pragma once
// The layout of a .DCT dictionary file: an 83-byte header whose bytes 1..50 identify the
// file, then 4-byte little-endian nodes of a letter tree, node 1 at offset 83.
//
// Node bits: 0..21 index of the first child (0 = none), 22 word end, 23 last of its
// sibling list, 24..31 the letter (a code page 437 byte, lower case).

#include <cstddef>
#include <cstdint>

namespace Dct {

constexpr size_t HeaderSize = 83;
constexpr size_t IdentOffset = 1;
constexpr size_t IdentSize = 50;
// 43 characters of text followed by 7 zero bytes.
constexpr char Ident[IdentSize + 1] = "Tarnwickletterfoundries word tree file 1996\0\0\0\0\0\0";

constexpr size_t NodeSize = 4;
constexpr size_t NodesPerBlock = 128;
constexpr size_t BlockSize = NodeSize * NodesPerBlock; // 512
constexpr uint32_t MaxNodes = 0x003FFFFF; // 4,194,303: the largest child index
constexpr size_t WordMax = 50;

constexpr uint32_t ChildMask = 0x003FFFFF;
constexpr uint32_t WordEndBit = 0x00400000;
constexpr uint32_t LastBit = 0x00800000;

constexpr uint32_t NodeChild(uint32_t node)
{
    return node & ChildMask;
}
constexpr bool NodeIsWordEnd(uint32_t node)
{
    return (node & WordEndBit) != 0;
}
constexpr bool NodeIsLast(uint32_t node)
{
    return (node & LastBit) != 0;
}
constexpr unsigned char NodeChar(uint32_t node)
{
    return static_cast<unsigned char>(node >> 24);
}

constexpr uint32_t MakeNode(unsigned char ch, uint32_t child, bool wordEnd, bool last)
{
    return (uint32_t(ch) << 24) | (child & ChildMask) | (wordEnd ? WordEndBit : 0)
        | (last ? LastBit : 0);
}

// What a node index outside the file reads as: the last of its list, no children,
// letter 0. Scans stop on it and nothing matches it.
constexpr uint32_t MissingNode = LastBit;

} // namespace Dct
