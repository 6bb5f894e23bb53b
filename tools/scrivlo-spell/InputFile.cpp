#include "tools/scrivlo-spell/InputFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

InputFile::~InputFile()
{
    if (FOwned && FHandle >= 0)
        ::close(FHandle);
}

bool InputFile::Open(const std::string &name)
{
    FName = name;
    if (name == "-") {
        FHandle = STDIN_FILENO;
    } else {
        FHandle = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
        if (FHandle < 0) {
            FError = "cannot open " + name + ": " + std::strerror(errno);
            return false;
        }
        FOwned = true;
    }
    struct stat info;
    if (::fstat(FHandle, &info) == 0 && S_ISREG(info.st_mode)) {
        FStartOffset = ::lseek(FHandle, 0, SEEK_CUR);
        FSeekable = FStartOffset >= 0;
    }
    return true;
}

long InputFile::Read(char *data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(FHandle, data + done, size - done);
        if (n > 0) {
            done += size_t(n);
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            FError = "cannot read " + FName + ": " + std::strerror(errno);
            return -1;
        }
    }
    return long(done);
}

bool InputFile::SeekTo(uint64_t offset)
{
    if (::lseek(FHandle, off_t(FStartOffset + int64_t(offset)), SEEK_SET) < 0) {
        FError = "cannot read " + FName + ": " + std::strerror(errno);
        return false;
    }
    return true;
}
