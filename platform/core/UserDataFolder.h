#pragma once
// The folder where Scrivlo keeps what belongs to one user (learned words, copies of unsaved
// work): $XDG_DATA_HOME/scrivlo/, or ~/.local/share/scrivlo/ when XDG_DATA_HOME is not set
// to an absolute path. Never the program's folder, which every user of the machine shares.

#include <string>

namespace UserDataFolder {

// The folder, with a trailing '/'; it may not exist yet.
std::string Path();

// Path(), creating it and any missing folder above it readable by the user alone (mode
// 0700). Raises EFCreateError "Cannot create folder PATH" when it cannot be made.
std::string Create();

} // namespace UserDataFolder
