// Where the desktop keeps its games, and file names as UTF-8 on every system: SQLite opens UTF-8
// names, and the command line hands them on as UTF-8.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "store/game_store.h"

namespace velmarto::store {

// The default database as the help names it, and what to set when there is no place for it.
#ifdef _WIN32
inline constexpr std::string_view kDefaultDatabase = "%APPDATA%\\velmarto\\games.sqlite3";
inline constexpr std::string_view kDatabaseFolderVariables = "APPDATA";
#else
inline constexpr std::string_view kDefaultDatabase = "$XDG_DATA_HOME/velmarto/games.sqlite3";
inline constexpr std::string_view kDatabaseFolderVariables = "HOME or XDG_DATA_HOME";
#endif

// The default database: %APPDATA%\velmarto\games.sqlite3 on Windows,
// $XDG_DATA_HOME/velmarto/games.sqlite3 or ~/.local/share/velmarto/… elsewhere; an empty string
// when the variables are not set. Nothing is created: a reader never writes.
std::string DefaultDatabasePath();

// Creates the folder the database `path` goes in, for a first write; an error names the folder.
std::optional<StoreError> EnsureFolder(const std::string& path);

// A plain std::string path is read in the ANSI code page on Windows; these read and write UTF-8.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace velmarto::store
