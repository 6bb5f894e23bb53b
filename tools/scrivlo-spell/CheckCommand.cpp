#include "tools/scrivlo-spell/CheckCommand.h"

#include "dictionary/TDictionary.h"
#include "tools/scrivlo-spell/InputFile.h"
#include "tools/scrivlo-spell/Output.h"
#include "tools/scrivlo-spell/TextMapping.h"
#include "tools/scrivlo-spell/WordCache.h"
#include "tools/scrivlo-spell/WordScanner.h"

#include <charconv>
#include <cstring>
#include <memory>

namespace {

constexpr size_t ChunkSize = size_t(1) << 16;

// Bytes read ahead of decoding, topped up to a whole chunk at a time.
class ChunkBuffer
{
public:
    explicit ChunkBuffer(InputFile &in)
        : FIn(in)
        , FData(new char[ChunkSize])
    { }
    // False on a read failure.
    bool Fill()
    {
        if (FAtEnd || FSize == ChunkSize)
            return true;
        const long n = FIn.Read(FData.get() + FSize, ChunkSize - FSize);
        if (n < 0)
            return false;
        FSize += size_t(n);
        FAtEnd = FSize < ChunkSize;
        return true;
    }
    std::string_view View() const { return { FData.get(), FSize }; }
    void Consume(size_t n)
    {
        std::memmove(FData.get(), FData.get() + n, FSize - n);
        FSize -= n;
    }
    // Nothing follows the bytes held.
    bool AtEnd() const { return FAtEnd; }
    bool Empty() const { return FSize == 0; }
    void Reset()
    {
        FSize = 0;
        FAtEnd = false;
    }

private:
    InputFile &FIn;
    std::unique_ptr<char[]> FData;
    size_t FSize = 0;
    bool FAtEnd = false;
};

// The next piece to decode: the bytes held, without an unfinished UTF-8 sequence at
// their end unless the file ends there.
std::string_view NextPiece(const ChunkBuffer &buffer, bool utf8)
{
    const std::string_view bytes = buffer.View();
    return (utf8 && !buffer.AtEnd()) ? bytes.substr(0, TextMapping::CompleteUtf8Prefix(bytes))
                                     : bytes;
}

// Whether the bytes from the buffer's start to the end of the file are valid UTF-8.
bool RestIsUtf8(ChunkBuffer &buffer, bool atStart, std::u16string &scratch, bool &readFailed)
{
    for (;;) {
        if (!buffer.Fill()) {
            readFailed = true;
            return false;
        }
        if (buffer.Empty())
            return true;
        const std::string_view piece = NextPiece(buffer, true);
        if (!TextMapping::DecodePiece(piece, true, atStart, scratch))
            return false;
        atStart = false;
        buffer.Consume(piece.size());
    }
}

// The next piece of a stream to decode: whole lines where the bytes held end a line, else
// as much as ends on a UTF-8 sequence boundary.
std::string_view NextStreamPiece(const ChunkBuffer &buffer)
{
    const std::string_view bytes = buffer.View();
    if (buffer.AtEnd())
        return bytes;
    const size_t lineEnd = bytes.rfind('\n');
    if (lineEnd != std::string_view::npos)
        return bytes.substr(0, lineEnd + 1);
    return bytes.substr(0, TextMapping::CompleteUtf8Prefix(bytes));
}

// A pipe cannot be read twice to learn its encoding first, and holding it whole would
// cost memory without bound: it is decoded as it comes, each line as UTF-8 when it is
// valid UTF-8 and as code page 1252 when not, as the pipe protocol reads its lines.
bool ScanStream(ChunkBuffer &buffer, bool atStart, WordScanner &scanner, std::u16string &units)
{
    std::u16string lineUnits;
    for (;;) {
        if (!buffer.Fill())
            return false;
        if (buffer.Empty())
            break;
        const std::string_view piece = NextStreamPiece(buffer);
        if (!TextMapping::DecodePiece(piece, true, atStart, units)) {
            units.clear();
            for (std::string_view rest = piece; !rest.empty();) {
                const size_t end = rest.find('\n');
                const std::string_view line
                    = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
                TextMapping::DecodeText(line, atStart, lineUnits);
                units += lineUnits;
                rest.remove_prefix(line.size());
                atStart = false;
            }
        }
        scanner.Feed(units);
        atStart = false;
        buffer.Consume(piece.size());
    }
    scanner.Finish();
    return true;
}

// Scans a whole input; false (with in.Error() set) when it could not be read.
bool ScanInput(InputFile &in, WordScanner &scanner)
{
    ChunkBuffer buffer(in);
    std::u16string units;
    uint64_t offset = 0; // of the buffer's first byte

    // ASCII reads the same in both encodings, so it is scanned at once; the choice of
    // encoding waits for the first other byte.
    for (;;) {
        if (!buffer.Fill())
            return false;
        const std::string_view bytes = buffer.View();
        size_t ascii = 0;
        while (ascii < bytes.size() && static_cast<unsigned char>(bytes[ascii]) < 0x80)
            ++ascii;
        units.assign(bytes.begin(), bytes.begin() + ptrdiff_t(ascii));
        scanner.Feed(units);
        buffer.Consume(ascii);
        offset += ascii;
        if (!buffer.Empty())
            break;
        if (buffer.AtEnd()) {
            scanner.Finish();
            return true;
        }
    }

    const bool atStart = offset == 0;
    if (!in.Seekable())
        return ScanStream(buffer, atStart, scanner, units);

    // A file is read twice from here: once to learn whether it is UTF-8, once to scan.
    bool readFailed = false;
    const bool utf8 = RestIsUtf8(buffer, atStart, units, readFailed);
    if (readFailed || !in.SeekTo(offset))
        return false;
    buffer.Reset();
    bool pieceAtStart = atStart;
    for (;;) {
        if (!buffer.Fill())
            return false;
        if (buffer.Empty())
            break;
        const std::string_view piece = NextPiece(buffer, utf8);
        // A file changed since the first reading may no longer decode: take its bytes as
        // code page 1252 rather than lose them.
        if (!TextMapping::DecodePiece(piece, utf8, pieceAtStart, units))
            TextMapping::DecodePiece(piece, false, pieceAtStart, units);
        scanner.Feed(units);
        pieceAtStart = false;
        buffer.Consume(piece.size());
    }
    scanner.Finish();
    return true;
}

void AppendNumber(std::string &out, uint64_t value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// Prints the unknown words of one input and remembers what happened.
class CheckReporter : public WordSink
{
public:
    explicit CheckReporter(const TDictionary &dictionary)
        : FDictionary(dictionary)
    { }

    void SetFileName(const std::string &name) { FFileName = name; }
    bool FoundUnknown() const { return FFoundUnknown; }

    void Word(const ScannedWord &word) override
    {
        if (FCache.IsWord(word.letters,
                          [this](std::string_view w) { return FDictionary.IsWord(AnsiText(w)); }))
            return;
        FFoundUnknown = true;
        Locate(word);
        TextMapping::AppendUtf8(FLine, word.text);
        FLine += '\n';
        PrintOut(FLine);
    }

    // Reported like an unknown word, so that whatever follows it is still checked.
    void LongRun(const ScannedWord &run, uint64_t length) override
    {
        FFoundUnknown = true;
        Locate(run);
        TextMapping::AppendUtf8(FLine, run.text);
        if (length > run.text.size())
            FLine += "...";
        FLine += '\n';
        PrintOut(FLine);
    }

private:
    // Starts the line with "FILE:LINE:COLUMN: "; the buffer is reused for every word.
    void Locate(const ScannedWord &word)
    {
        FLine.assign(FFileName);
        FLine += ':';
        AppendNumber(FLine, word.line);
        FLine += ':';
        AppendNumber(FLine, word.column);
        FLine += ": ";
    }

    const TDictionary &FDictionary;
    WordCache FCache;
    std::string FFileName;
    std::string FLine;
    bool FFoundUnknown = false;
};

} // namespace

int RunCheck(const TDictionary &dictionary, const std::vector<std::string> &files)
{
    const std::vector<std::string> names = files.empty() ? std::vector<std::string> { "-" } : files;
    CheckReporter reporter(dictionary);
    bool failed = false;
    for (const std::string &name : names) {
        InputFile in;
        if (!in.Open(name)) {
            PrintError(std::string(ProgramName) + ": " + in.Error());
            failed = true;
            continue;
        }
        reporter.SetFileName(name);
        WordScanner scanner(reporter);
        if (!ScanInput(in, scanner)) {
            PrintError(std::string(ProgramName) + ": " + in.Error());
            failed = true;
        }
    }
    if (failed)
        return 2;
    return reporter.FoundUnknown() ? 1 : 0;
}
