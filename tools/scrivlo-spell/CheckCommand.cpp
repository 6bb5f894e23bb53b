#include "tools/scrivlo-spell/CheckCommand.h"

#include "dictionary/TDictionary.h"
#include "platform/core/CodePages.h"
#include "spell/core/ContextCheck.h"
#include "tools/scrivlo-spell/InputFile.h"
#include "tools/scrivlo-spell/Output.h"
#include "tools/scrivlo-spell/ParagraphCollector.h"
#include "tools/scrivlo-spell/TextMapping.h"
#include "tools/scrivlo-spell/WordCache.h"
#include "tools/scrivlo-spell/WordScanner.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <optional>

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

// Where the decoded text goes: the word scan and, for the check in context, the paragraphs.
class TextFeed
{
public:
    TextFeed(WordScanner &scanner, ParagraphCollector *paragraphs)
        : FScanner(scanner)
        , FParagraphs(paragraphs)
    { }
    void Feed(std::u16string_view units)
    {
        FScanner.Feed(units);
        if (FParagraphs)
            FParagraphs->Feed(units);
    }
    void Finish()
    {
        FScanner.Finish();
        if (FParagraphs)
            FParagraphs->Finish();
    }

private:
    WordScanner &FScanner;
    ParagraphCollector *FParagraphs;
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
bool ScanStream(ChunkBuffer &buffer, bool atStart, TextFeed &scanner, std::u16string &units)
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
bool ScanInput(InputFile &in, TextFeed &scanner)
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

// Prints the unknown words of one input, and the words its sentences say are wrong,
// and remembers what happened.
class CheckReporter : public WordSink
{
public:
    CheckReporter(const TDictionary &dictionary, const ContextCheck *context)
        : FDictionary(dictionary)
        , FContext(context)
    { }

    void SetFileName(const std::string &name) { FFileName = name; }
    bool FoundUnknown() const { return FFoundUnknown; }

    void Word(const ScannedWord &word) override
    {
        if (FCache.IsWord(word.letters,
                          [this](std::string_view w) { return FDictionary.IsWord(AnsiText(w)); }))
            return;
        FFoundUnknown = true;
        Locate(word.line, word.column);
        TextMapping::AppendUtf8(FLine, word.text);
        Report(word.line, word.column);
    }

    // Reported like an unknown word, so that whatever follows it is still checked.
    void LongRun(const ScannedWord &run, uint64_t length) override
    {
        FFoundUnknown = true;
        Locate(run.line, run.column);
        TextMapping::AppendUtf8(FLine, run.text);
        if (length > run.text.size())
            FLine += "...";
        Report(run.line, run.column);
    }

    // The check in context of a paragraph: "WORD -> SUGGESTION" lines, printed in text order
    // with the unknown words found before the paragraph's end.
    void Paragraph(std::string_view text, const ParagraphCollector &where)
    {
        const auto unknownEnd = ptrdiff_t(FPending.size());
        for (const ContextFlag &flag : FContext->Check(text)) {
            FFoundUnknown = true;
            const auto at = where.Locate(size_t(flag.Start));
            Locate(at.line, at.column);
            FLine += CodePages::AnsiToUtf8(text.substr(size_t(flag.Start), size_t(flag.Length)));
            FLine += " -> ";
            FLine += CodePages::AnsiToUtf8(flag.Suggestion.view());
            FLine += '\n';
            FPending.push_back({ at.line, at.column, FLine });
        }
        // Both runs are in text order already.
        std::inplace_merge(FPending.begin(), FPending.begin() + unknownEnd, FPending.end(),
                           [](const Pending &a, const Pending &b) {
                               return a.line != b.line ? a.line < b.line : a.column < b.column;
                           });
        const auto end = where.Locate(text.size());
        PrintPending(ParagraphCollector::Position { end.line, end.column });
    }

    // Prints what is still held back, at the end of an input.
    void Flush() { PrintPending(std::nullopt); }

private:
    struct Pending
    {
        uint64_t line, column;
        std::string text;
    };

    // Starts the line with "FILE:LINE:COLUMN: "; the buffer is reused for every word.
    void Locate(uint64_t line, uint64_t column)
    {
        FLine.assign(FFileName);
        FLine += ':';
        AppendNumber(FLine, line);
        FLine += ':';
        AppendNumber(FLine, column);
        FLine += ": ";
    }

    // Prints the line at once, or holds it until its paragraph has been checked in context.
    void Report(uint64_t line, uint64_t column)
    {
        FLine += '\n';
        if (FContext)
            FPending.push_back({ line, column, FLine });
        else
            PrintOut(FLine);
    }

    // Prints the held lines, in text order, that come before until (all without it).
    void PrintPending(std::optional<ParagraphCollector::Position> until)
    {
        size_t printed = 0;
        for (; printed < FPending.size(); ++printed) {
            const Pending &p = FPending[printed];
            if (until
                && (p.line > until->line || (p.line == until->line && p.column >= until->column)))
                break;
            PrintOut(p.text);
        }
        FPending.erase(FPending.begin(), FPending.begin() + ptrdiff_t(printed));
    }

    const TDictionary &FDictionary;
    const ContextCheck *FContext;
    WordCache FCache;
    std::string FFileName;
    std::string FLine;
    std::vector<Pending> FPending;
    bool FFoundUnknown = false;
};

} // namespace

int RunCheck(const TDictionary &dictionary, const std::vector<std::string> &files,
             const ContextCheck *context)
{
    const std::vector<std::string> names = files.empty() ? std::vector<std::string> { "-" } : files;
    CheckReporter reporter(dictionary, context);
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
        std::optional<ParagraphCollector> paragraphs;
        if (context)
            paragraphs.emplace([&reporter, &paragraphs](std::string_view text) {
                reporter.Paragraph(text, *paragraphs);
            });
        TextFeed feed(scanner, paragraphs ? &*paragraphs : nullptr);
        if (!ScanInput(in, feed)) {
            PrintError(std::string(ProgramName) + ": " + in.Error());
            failed = true;
        }
        reporter.Flush();
    }
    if (failed)
        return 2;
    return reporter.FoundUnknown() ? 1 : 0;
}
