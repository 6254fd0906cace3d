// The database's folder comes from the environment: APPDATA on Windows, read as UTF-16 so a
// user name in any script survives; the XDG base directories elsewhere.
#include "store/database_path.h"

#include <cstdlib>
#include <system_error>

namespace velmarto::store {

namespace fs = std::filesystem;

namespace {

fs::path DataFolder() {
#ifdef _WIN32
    const wchar_t* appData = _wgetenv(L"APPDATA");
    return appData && *appData ? fs::path(appData) : fs::path();
#else
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        return data;
    }
    if (const char* home = std::getenv("HOME"); home && *home) {
        return fs::path(home) / ".local" / "share";
    }
    return {};
#endif
}

}  // namespace

std::string DefaultDatabasePath() {
    fs::path folder = DataFolder();
    if (folder.empty()) {
        return "";
    }
    return Utf8FromPath(folder / "velmarto" / "games.sqlite3");
}

std::optional<StoreError> EnsureFolder(const std::string& path) {
    const fs::path folder = PathFromUtf8(path).parent_path();
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        return StoreError{
            StoreError::Kind::Failed,
            "cannot create the folder " + Utf8FromPath(folder) + ": " + error.message()};
    }
    return std::nullopt;
}

fs::path PathFromUtf8(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8FromPath(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace velmarto::store
