#include "dictionary/TDCTFile.h"

#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void RaiseIoError(const std::string &fileName, int err)
{
    throw EInOutError(fileName + ": " + std::strerror(err), err);
}

// Reads up to size bytes at offset, retrying interrupted and partial reads. Returns the
// number of bytes read; fewer than asked means the file ended.
size_t ReadAt(int fd, void *buffer, size_t size, off_t offset, const std::string &fileName)
{
    size_t done = 0;
    while (done < size) {
        ssize_t n
            = pread(fd, static_cast<char *>(buffer) + done, size - done, offset + off_t(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            RaiseIoError(fileName, errno);
        }
        if (n == 0)
            break;
        done += size_t(n);
    }
    return done;
}

uint32_t LittleEndian32(const unsigned char *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

TDCTFile::TDCTFile(const std::string &fileName)
    : FFileName(fileName)
{
    if (!FileUtils::FileExists(fileName))
        throw EFOpenError("Dictionary not found: " + fileName + ".");
    try {
        OpenFile();
    } catch (...) {
        // Nothing of a failed construction remains; the original error reaches the caller.
        try {
            CloseFile();
        } catch (...) { }
        throw;
    }
}

TDCTFile::~TDCTFile()
{
    try {
        CloseFile();
    } catch (const std::exception &e) {
        // A destructor must not throw; a failed close of a read-only file loses nothing.
        std::fprintf(stderr, "scrivlo: closing %s: %s\n", FFileName.c_str(), e.what());
    }
}

void TDCTFile::OpenFile()
{
    FHandle = ::open(FFileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (FHandle < 0)
        RaiseIoError(FFileName, errno);
    struct stat st
    {
    };
    if (fstat(FHandle, &st) != 0)
        RaiseIoError(FFileName, errno);
    // The whole file is read now and the handle closed: a file replaced or cut while the
    // program runs can no longer change what it reads (a mapped file cut short kills the
    // process at the next lookup).
    if (ReadAt(FHandle, FHeader.data(), FHeader.size(), 0, FFileName) < FHeader.size())
        throw EInOutError(FFileName + ": Read beyond end of file", 0);
    if (!HeaderValid())
        throw TEDictionaryCorrupt();
    // Room for one node more than the file holds, up to one more than the largest
    // dictionary, so that a file grown meanwhile is seen too. The nodes are read straight
    // into place.
    const uint64_t size = std::clamp<uint64_t>(uint64_t(st.st_size), Dct::HeaderSize, MaxFileSize);
    const size_t slots = size_t((size - Dct::HeaderSize) / Dct::NodeSize) + 1;
    FNodes = std::make_unique_for_overwrite<uint32_t[]>(slots);
    const size_t got
        = ReadAt(FHandle, FNodes.get(), slots * Dct::NodeSize, off_t(Dct::HeaderSize), FFileName);
    CloseHandle();
    if (Dct::HeaderSize + got > MaxFileSize)
        throw TEDictionaryCorrupt("the file is larger than " + std::to_string(MaxFileSize)
                                  + " bytes, the largest a dictionary can be");
    // A torn node at the end is left out.
    FNodeCount = uint32_t(got / Dct::NodeSize);
    if constexpr (std::endian::native != std::endian::little) {
        for (uint32_t i = 0; i < FNodeCount; ++i)
            FNodes[i] = LittleEndian32(reinterpret_cast<const unsigned char *>(&FNodes[i]));
    }
    if (std::string problem = StructureProblem(FNodes.get(), FNodeCount); !problem.empty())
        throw TEDictionaryCorrupt(std::move(problem));
    ReadBlock(0);
}

std::string TDCTFile::StructureProblem(const uint32_t *nodes, uint32_t count)
{
    if (count == 0)
        return "the file holds no node";
    for (uint32_t index = 1; index <= count; ++index) {
        const uint32_t node = nodes[index - 1];
        if (Dct::NodeChar(node) == 0)
            return "node " + std::to_string(index) + " holds no letter";
        if (Dct::NodeChild(node) > count)
            return "node " + std::to_string(index) + " points to node "
                + std::to_string(Dct::NodeChild(node)) + " past the last node ("
                + std::to_string(count) + ")";
    }
    // Sibling lists are runs of nodes that end at a marked node: only a last node without
    // the mark lets one run past the end.
    if (!Dct::NodeIsLast(nodes[count - 1]))
        return "a sibling list runs past the last node (" + std::to_string(count) + ")";
    return {};
}

bool TDCTFile::HeaderValid() const
{
    return std::memcmp(FHeader.data() + Dct::IdentOffset, Dct::Ident, Dct::IdentSize) == 0;
}

void TDCTFile::ReadBlock(int16_t blockNo)
{
    // The nodes are all in memory; a block change is only counted, for measurement.
    FCurrentBlock = blockNo;
    ++FBlockReads;
}

uint32_t TDCTFile::GetNode(int32_t index)
{
    if (index < 1 || uint32_t(index) > FNodeCount || !FNodes)
        return Dct::MissingNode;
    const int32_t block = (index - 1) / int32_t(Dct::NodesPerBlock);
    if (block != FCurrentBlock)
        ReadBlock(int16_t(block));
    return FNodes[size_t(index - 1)];
}

uint32_t TDCTFile::FindSibling(int32_t index, unsigned char ch)
{
    // Node by node, as GetNode would read them, but the block is looked up once per block
    // rather than once per node.
    for (;;) {
        if (index < 1 || uint32_t(index) > FNodeCount || !FNodes)
            return Dct::MissingNode;
        const int32_t block = (index - 1) / int32_t(Dct::NodesPerBlock);
        if (block != FCurrentBlock)
            ReadBlock(int16_t(block));
        const uint32_t blockEnd
            = std::min(FNodeCount, uint32_t(block + 1) * uint32_t(Dct::NodesPerBlock));
        const uint32_t *slot = FNodes.get() + (index - 1);
        for (; uint32_t(index) <= blockEnd; ++index, ++slot) {
            const uint32_t node = *slot;
            if (Dct::NodeChar(node) == ch || Dct::NodeIsLast(node))
                return node;
        }
    }
}

bool TDCTFile::ContainsWord(std::string_view word)
{
    word = word.substr(0, Dct::WordMax);
    int32_t index = 1;
    while (index != 0 && !word.empty()) {
        const unsigned char ch = static_cast<unsigned char>(word.front());
        const uint32_t node = FindSibling(index, ch);
        if (Dct::NodeChar(node) != ch)
            return false;
        word.remove_prefix(1);
        if (word.empty() && Dct::NodeIsWordEnd(node))
            return true;
        index = int32_t(Dct::NodeChild(node));
    }
    return false;
}

void TDCTFile::CloseFile()
{
    FNodes.reset();
    CloseHandle();
}

void TDCTFile::CloseHandle()
{
    if (FHandle < 0)
        return;
    const int fd = FHandle;
    FHandle = -1;
    if (::close(fd) != 0 && errno != EINTR)
        RaiseIoError(FFileName, errno);
}
