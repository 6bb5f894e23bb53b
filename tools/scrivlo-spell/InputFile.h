#pragma once
// A file or standard input, read in pieces. Reading failures are reported as messages so
// that a check can go on with the next file.

#include <cstddef>
#include <cstdint>
#include <string>

class InputFile
{
public:
    InputFile() = default;
    InputFile(const InputFile &) = delete;
    InputFile &operator=(const InputFile &) = delete;
    ~InputFile();

    // "-" is standard input. False, with Error() set, when the file cannot be opened.
    bool Open(const std::string &name);
    // Reads up to size bytes, fewer only at the end; 0 at the end. -1 (Error() set) on failure.
    long Read(char *data, size_t size);
    // Whether SeekTo works: a regular file, also when it is standard input.
    bool Seekable() const { return FSeekable; }
    // Moves to a byte offset counted from where reading began.
    bool SeekTo(uint64_t offset);
    const std::string &Error() const { return FError; }

private:
    int FHandle = -1;
    bool FOwned = false;
    bool FSeekable = false;
    int64_t FStartOffset = 0;
    std::string FName;
    std::string FError;
};
