// The built page, served from a folder: its files with their types, the page itself under a
// Content-Security-Policy that allows its own inline parts by their digest and nothing else.
#pragma once

#include <filesystem>
#include <optional>

#include "server/exchange.h"

namespace velmarto::server {

class Site {
public:
    // An empty or missing folder serves nothing; the API works without a page.
    explicit Site(std::filesystem::path root) : m_root(std::move(root)) {}
    // The file the request names, or nothing (no such file, or a path that leaves the folder).
    std::optional<Response> Serve(const Request& request) const;
    bool Empty() const { return m_root.empty(); }

private:
    std::filesystem::path m_root;
};

// Where a site is when --site does not say: installed beside the program (share/velmarto/web), or
// the web build's output beside a build of the program.
std::filesystem::path DefaultSite(const std::filesystem::path& program);

}  // namespace velmarto::server
