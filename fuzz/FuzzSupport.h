#pragma once
// Helpers shared by the fuzz targets: inputs become files, because the readers under test
// take file names.

#include "dictionary/DctFormat.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace Fuzz {

// A folder of this process's own, made once and removed at exit; in memory where the
// system offers that, since every input is written to a file.
inline const std::string &WorkDir()
{
    static const std::string dir = [] {
        std::string made;
        for (const char *base : { "/dev/shm", "/tmp" }) {
            std::string pattern = std::string(base) + "/scrivlo-fuzz-XXXXXX";
            if (mkdtemp(pattern.data())) {
                made = pattern;
                break;
            }
        }
        if (made.empty())
            std::abort();
        static std::string removeAtExit = made;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(removeAtExit, ignored);
        });
        return made;
    }();
    return dir;
}

// Writes bytes to a file of that name in the work folder and returns its path.
inline std::string WriteFile(const std::string &name, std::string_view bytes)
{
    const std::string path = WorkDir() + "/" + name;
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f))
        std::abort();
    return path;
}

// The 83-byte header a dictionary file must start with.
inline std::string DctHeader()
{
    std::string header(Dct::HeaderSize, '\0');
    std::memcpy(header.data() + Dct::IdentOffset, Dct::Ident, Dct::IdentSize);
    return header;
}

} // namespace Fuzz
