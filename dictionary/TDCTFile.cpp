#include "dictionary/TDCTFile.h"

#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
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
    FBlockBuffer = std::make_unique<uint32_t[]>(Dct::NodesPerBlock);
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
    if (ReadAt(FHandle, FHeader.data(), FHeader.size(), 0, FFileName) < FHeader.size())
        throw EInOutError(FFileName + ": Read beyond end of file", 0);
    if (!HeaderValid()) {
        CloseFile();
        throw TEDictionaryCorrupt();
    }
    const uint64_t nodes = (uint64_t(st.st_size) - Dct::HeaderSize) / Dct::NodeSize;
    FNodeCount = uint32_t(std::min<uint64_t>(nodes, Dct::MaxNodes));
    // Blocks are copied out of a read-only mapping when one can be had: the system pages
    // the file in and out on its own, and a block change costs a copy, not a system call.
    FMappedSize = size_t(st.st_size);
    void *map = ::mmap(nullptr, FMappedSize, PROT_READ, MAP_PRIVATE, FHandle, 0);
    FMapped = map == MAP_FAILED ? nullptr : static_cast<const unsigned char *>(map);
    ReadBlock(0);
}

bool TDCTFile::HeaderValid() const
{
    return std::memcmp(FHeader.data() + Dct::IdentOffset, Dct::Ident, Dct::IdentSize) == 0;
}

void TDCTFile::ReadBlock(int16_t blockNo)
{
    FCurrentBlock = blockNo;
    ++FBlockReads;
    const size_t offset = Dct::HeaderSize + Dct::BlockSize * size_t(blockNo < 0 ? 0 : blockNo);
    unsigned char bytes[Dct::BlockSize];
    const unsigned char *block = bytes;
    size_t got;
    if (FMapped) {
        got = offset < FMappedSize ? std::min(Dct::BlockSize, FMappedSize - offset) : 0;
        block = FMapped + offset;
    } else {
        got = ReadAt(FHandle, bytes, sizeof bytes, off_t(offset), FFileName);
    }
    // A short last block is accepted; GetNode never hands out slots past the file's end.
    const size_t nodes = got / Dct::NodeSize;
    if constexpr (std::endian::native == std::endian::little) {
        if (nodes)
            std::memcpy(FBlockBuffer.get(), block, nodes * Dct::NodeSize);
    } else {
        for (size_t slot = 0; slot < nodes; ++slot)
            FBlockBuffer[slot] = LittleEndian32(block + slot * Dct::NodeSize);
    }
}

uint32_t TDCTFile::GetNode(int32_t index)
{
    if (index < 1 || uint32_t(index) > FNodeCount || !FBlockBuffer)
        return Dct::MissingNode;
    const int32_t block = (index - 1) / int32_t(Dct::NodesPerBlock);
    const int32_t slot = (index - 1) % int32_t(Dct::NodesPerBlock);
    if (block != FCurrentBlock)
        ReadBlock(int16_t(block));
    return FBlockBuffer[slot];
}

uint32_t TDCTFile::FindSibling(int32_t index, unsigned char ch)
{
    // Node by node, as GetNode would read them, but the block is looked up once per block
    // rather than once per node: a scan stays inside the buffer until the block ends.
    for (;;) {
        if (index < 1 || uint32_t(index) > FNodeCount || !FBlockBuffer)
            return Dct::MissingNode;
        const int32_t block = (index - 1) / int32_t(Dct::NodesPerBlock);
        if (block != FCurrentBlock)
            ReadBlock(int16_t(block));
        const uint32_t blockEnd
            = std::min(FNodeCount, uint32_t(block + 1) * uint32_t(Dct::NodesPerBlock));
        const uint32_t *slot = FBlockBuffer.get() + (index - 1) % int32_t(Dct::NodesPerBlock);
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
    FBlockBuffer.reset();
    if (FMapped) {
        ::munmap(const_cast<unsigned char *>(FMapped), FMappedSize);
        FMapped = nullptr;
    }
    if (FHandle < 0)
        return;
    const int fd = FHandle;
    FHandle = -1;
    if (::close(fd) != 0 && errno != EINTR)
        RaiseIoError(FFileName, errno);
}
