#include "platform/core/UserDataFolder.h"

#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"

#include <cstdlib>
#include <pwd.h>
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
    if (!FileUtils::CreatePrivateFolder(folder))
        throw EFCreateError("Cannot create folder " + folder);
    return folder;
}

} // namespace UserDataFolder
