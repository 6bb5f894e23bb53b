#pragma once
// One open .DCT dictionary file. The file is never loaded whole: nodes are read through a
// single 512-byte block buffer, one block at a time.

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
    // Opens the file and loads block 0. Raises EFOpenError "Dictionary not found: PATH."
    // when it does not exist, TEDictionaryCorrupt when its identification differs, and
    // EInOutError when it cannot be opened or read or is shorter than the header.
    explicit TDCTFile(const std::string &fileName);
    ~TDCTFile() override; // closes the file; never throws

    const std::string &FileName() const { return FFileName; }
    const std::array<unsigned char, Dct::HeaderSize> &Header() const { return FHeader; }
    int32_t CurrentBlock() const { return FCurrentBlock; }
    // Number of whole nodes in the file.
    uint32_t NodeCount() const { return FNodeCount; }
    // Number of block reads since the file was opened (for measurement).
    uint64_t BlockReads() const { return FBlockReads; }

    // True when header bytes 1..50 hold the identification.
    bool HeaderValid() const;
    // Loads block blockNo into the buffer.
    void ReadBlock(int16_t blockNo);
    // The node with that 1-based index, reading its block first if another one is held.
    // An index outside the file reads as Dct::MissingNode.
    uint32_t GetNode(int32_t index);
    // From node index onward, the first node of the sibling list whose letter is ch, else
    // the list's last node; the caller compares the letter again.
    uint32_t FindSibling(int32_t index, unsigned char ch);
    // Exact lookup of a code page 437 word (cut to 50 letters); case is not changed.
    bool ContainsWord(std::string_view word);
    // Closes the file and releases the block buffer; a second call does nothing.
    void CloseFile();

private:
    void OpenFile();

    int FHandle = -1;
    const unsigned char *FMapped = nullptr; // read-only view of the whole file, if mapped
    size_t FMappedSize = 0;
    std::string FFileName;
    std::array<unsigned char, Dct::HeaderSize> FHeader {};
    int32_t FCurrentBlock = 0;
    std::unique_ptr<uint32_t[]> FBlockBuffer;
    uint32_t FNodeCount = 0;
    uint64_t FBlockReads = 0;
};
