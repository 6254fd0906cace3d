// The server's two secrets per game, the read capability in its address and the write key, and
// the one-way digest under which a key is kept.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmarto::server {

// 128 bits: an address nobody can guess or enumerate.
inline constexpr std::size_t kGameIdBytes = 16;
// 256 bits, as strong as the digest it is kept under.
inline constexpr std::size_t kWriteKeyBytes = 32;

// `bytes` from the operating system's random source, URL-safe base64 without padding.
std::string RandomToken(std::size_t bytes);
// SHA-256 of `text`, as 64 lower-case hex digits.
std::string Sha256Hex(std::string_view text);
// SHA-256 of `text` in standard base64, as a Content-Security-Policy hash source wants it.
std::string Sha256Base64(std::string_view text);
// Compares two digests in time that depends only on their length.
bool SameDigest(std::string_view a, std::string_view b);

}  // namespace velmarto::server
