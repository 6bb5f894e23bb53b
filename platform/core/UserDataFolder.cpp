#include "platform/core/UserDataFolder.h"

#include "platform/core/Exceptions.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace UserDataFolder {

namespace {

std::string HomeFolder()
{
    if (const char *home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd *entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

// Creates one folder; true when it exists afterwards, whoever made it.
bool MakeFolder(const std::string &path)
{
    struct stat st;
    if (::mkdir(path.c_str(), 0700) == 0)
        return true;
    return errno == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

std::string Path()
{
    // A relative XDG_DATA_HOME is to be ignored, as the base directory rules say.
    const char *dataHome = std::getenv("XDG_DATA_HOME");
    std::string base
        = dataHome && dataHome[0] == '/' ? std::string(dataHome) : HomeFolder() + "/.local/share";
    if (base.back() != '/')
        base += '/';
    return base + "scrivlo/";
}

std::string Create()
{
    const std::string folder = Path();
    // Each missing folder on the way, from the top down.
    for (size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        if (!MakeFolder(folder.substr(0, slash)))
            throw EFCreateError("Cannot create folder " + folder.substr(0, slash));
    }
    return folder;
}

} // namespace UserDataFolder
