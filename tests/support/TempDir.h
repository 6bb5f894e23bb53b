#pragma once
// A fresh folder for one test, removed with everything in it afterwards.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

class TempDir
{
public:
    TempDir()
    {
        std::string pattern
            = (std::filesystem::temp_directory_path() / "scrivlo-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        FPath = pattern + "/";
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(FPath, ec);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    // The folder, with a trailing '/'.
    const std::string &path() const { return FPath; }
    std::string file(std::string_view name) const { return FPath + std::string(name); }

    std::string write(std::string_view name, std::string_view bytes) const
    {
        const std::string p = file(name);
        std::ofstream(p, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return p;
    }
    std::string read(std::string_view name) const
    {
        std::ifstream in(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string FPath;
};
