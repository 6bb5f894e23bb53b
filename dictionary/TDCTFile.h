#pragma once
// One open .DCT dictionary file. The whole file is read and checked when it is opened, so
// that nothing done to the file afterwards (a new version copied over it, a cut) can reach
// the program; lookups count the 512-byte blocks they move between, for measurement.

#include "dictionary/DctFormat.h"
#include "dictionary/TLinkedList.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TDCTFile : public TLinkedListNode
{
public:
    // Reads and checks the file. Raises EFOpenError "Dictionary not found: PATH." when it
    // does not exist, TEDictionaryCorrupt when its identification differs or its nodes are
    // damaged (StructureProblem) or it is larger than MaxFileSize, and EInOutError when it
    // cannot be opened or read or is shorter than the header.
    explicit TDCTFile(const std::string &fileName);
    ~TDCTFile() override; // closes the file; never throws

    const std::string &FileName() const { return FFileName; }
    const std::array<unsigned char, Dct::HeaderSize> &Header() const { return FHeader; }
    int32_t CurrentBlock() const { return FCurrentBlock; }
    // The header and the most nodes a child index can reach.
    static constexpr uint64_t MaxFileSize
        = Dct::HeaderSize + uint64_t(Dct::MaxNodes) * Dct::NodeSize;

    // Number of whole nodes in the file.
    uint32_t NodeCount() const { return FNodeCount; }
    // Number of block reads since the file was opened (for measurement).
    uint64_t BlockReads() const { return FBlockReads; }

    // True when header bytes 1..50 hold the identification.
    bool HeaderValid() const;
    // The first damage found in count nodes that no lookup could get past safely, empty when
    // none: no node at all, a node without a letter, a child index past the last node, a
    // sibling list running past the end.
    static std::string StructureProblem(const uint32_t *nodes, uint32_t count);
    // Makes block blockNo the current one.
    void ReadBlock(int16_t blockNo);
    // The node with that 1-based index, reading its block first if another one is held.
    // An index outside the file reads as Dct::MissingNode.
    uint32_t GetNode(int32_t index);
    // From node index onward, the first node of the sibling list whose letter is ch, else
    // the list's last node; the caller compares the letter again.
    uint32_t FindSibling(int32_t index, unsigned char ch);
    // Exact lookup of a code page 437 word (cut to 50 letters); case is not changed.
    bool ContainsWord(std::string_view word);
    // Releases the nodes; a second call does nothing.
    void CloseFile();

private:
    void OpenFile();
    void CloseHandle();

    int FHandle = -1; // open only while the file is read
    std::string FFileName;
    std::array<unsigned char, Dct::HeaderSize> FHeader {};
    int32_t FCurrentBlock = 0;
    std::unique_ptr<uint32_t[]> FNodes; // node i at FNodes[i - 1], in this machine's order
    uint32_t FNodeCount = 0;
    uint64_t FBlockReads = 0;
};
