#include "server/site.h"

#include <array>
#include <fstream>
#include <sstream>

#include "server/secrets.h"

namespace velmarto::server {
namespace {

namespace http = boost::beast::http;

struct FileType {
    std::string_view extension;
    std::string_view type;
};
constexpr std::array kFileTypes = {
    FileType{".html", "text/html; charset=utf-8"},
    FileType{".js", "text/javascript; charset=utf-8"},
    FileType{".mjs", "text/javascript; charset=utf-8"},
    FileType{".css", "text/css; charset=utf-8"},
    FileType{".wasm", "application/wasm"},
    FileType{".json", "application/json"},
    FileType{".webmanifest", "application/manifest+json"},
    FileType{".svg", "image/svg+xml"},
    FileType{".png", "image/png"},
    FileType{".ico", "image/x-icon"},
    FileType{".txt", "text/plain; charset=utf-8"},
};

// A path of plain names under the root: no "..", no hidden files, nothing that is not a file.
std::optional<std::filesystem::path> FileOf(const std::filesystem::path& root,
                                            std::string_view target) {
    std::string_view path = target.substr(0, target.find_first_of("?#"));
    if (path.empty() || path.front() != '/' || path.find('\\') != std::string_view::npos ||
        path.find('%') != std::string_view::npos) {
        return std::nullopt;
    }
    std::filesystem::path file = root;
    std::size_t start = 1;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string_view part = path.substr(start, end - start);
        if (!part.empty()) {
            if (part.front() == '.') {
                return std::nullopt;
            }
            file /= part;
        }
        start = end + 1;
    }
    if (std::filesystem::is_directory(file)) {
        file /= "index.html";
    }
    if (!std::filesystem::is_regular_file(file)) {
        return std::nullopt;
    }
    return file;
}

// The digests of a page's inline scripts or styles, each as a policy source.
std::string InlineDigests(const std::string& page, std::string_view tag) {
    const std::string open = std::string("<").append(tag);
    const std::string close = std::string("</").append(tag).append(">");
    std::string sources;
    for (std::size_t at = page.find(open); at != std::string::npos; at = page.find(open, at + 1)) {
        const std::size_t headEnd = page.find('>', at);
        const std::size_t end = page.find(close, headEnd);
        if (headEnd == std::string::npos || end == std::string::npos) {
            break;
        }
        const std::string_view head(page.data() + at, headEnd - at);
        if (head.find(" src=") == std::string_view::npos) {
            sources += " 'sha256-";
            sources += Sha256Base64(std::string_view(page).substr(headEnd + 1, end - headEnd - 1));
            sources += '\'';
        }
    }
    return sources;
}

// The page's own files, the engine compiled from its .wasm, and requests to this server only; the
// engine is built without eval (-sDYNAMIC_EXECUTION=0), and no script from anywhere else, inline
// or not, runs.
std::string PagePolicy(const std::string& page) {
    return "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'" +
           InlineDigests(page, "script") + "; style-src 'self'" + InlineDigests(page, "style") +
           "; img-src 'self' data:; connect-src 'self'; object-src 'none'; base-uri 'self'; "
           "form-action 'self'; frame-ancestors 'none'";
}

}  // namespace

std::optional<Response> Site::Serve(const Request& request) const {
    if (m_root.empty()) {
        return std::nullopt;
    }
    const auto file = FileOf(m_root, request.target());
    if (!file) {
        return std::nullopt;
    }
    std::ifstream in(*file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream body;
    body << in.rdbuf();
    Response response{http::status::ok, request.version()};
    const std::string extension = file->extension().string();
    std::string_view type = "application/octet-stream";
    for (const FileType& t : kFileTypes) {
        if (t.extension == extension) {
            type = t.type;
        }
    }
    response.set(http::field::content_type, type);
    if (extension == ".html") {
        response.set("Content-Security-Policy", PagePolicy(body.str()));
    }
    // The page checks for a new version itself (its service worker); a short cache is enough.
    response.set(http::field::cache_control, "no-cache");
    response.body() = body.str();
    return response;
}

std::filesystem::path DefaultSite(const std::filesystem::path& program) {
    const std::filesystem::path folder = program.parent_path();
    const std::array candidates = {
        folder / ".." / "share" / "velmarto" / "web",
        folder / ".." / ".." / "wasm" / "web" / "site",
    };
    for (const auto& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate / "index.html", error)) {
            return candidate.lexically_normal();
        }
    }
    return {};
}

}  // namespace velmarto::server
