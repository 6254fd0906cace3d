// Secrets come from getrandom(2), which blocks only until the kernel's pool is first seeded.
#include "server/secrets.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <sys/random.h>

#include <cerrno>
#include <stdexcept>
#include <vector>

namespace velmarto::server {
namespace {

constexpr std::string_view kBase64Url =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

void FillRandom(std::vector<unsigned char>& out) {
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = getrandom(out.data() + done, out.size() - done, 0);
        if (got < 0 && errno != EINTR) {
            throw std::runtime_error("the system's random source failed");
        }
        done += got > 0 ? static_cast<std::size_t>(got) : 0;
    }
}

std::string Base64Url(const std::vector<unsigned char>& bytes) {
    std::string out;
    unsigned bits = 0;
    int pending = 0;
    for (const unsigned char byte : bytes) {
        bits = (bits << 8) | byte;
        pending += 8;
        while (pending >= 6) {
            pending -= 6;
            out.push_back(kBase64Url[(bits >> pending) & 0x3F]);
        }
    }
    if (pending > 0) {
        out.push_back(kBase64Url[(bits << (6 - pending)) & 0x3F]);
    }
    return out;
}

std::vector<unsigned char> Sha256(std::string_view text) {
    std::vector<unsigned char> digest(EVP_MAX_MD_SIZE);
    unsigned length = 0;
    if (EVP_Digest(text.data(), text.size(), digest.data(), &length, EVP_sha256(), nullptr) != 1) {
        throw std::runtime_error("SHA-256 failed");
    }
    digest.resize(length);
    return digest;
}

}  // namespace

std::string RandomToken(std::size_t bytes) {
    std::vector<unsigned char> random(bytes);
    FillRandom(random);
    return Base64Url(random);
}

std::string Sha256Hex(std::string_view text) {
    constexpr std::string_view kHex = "0123456789abcdef";
    std::string hex;
    for (const unsigned char byte : Sha256(text)) {
        hex.push_back(kHex[byte >> 4]);
        hex.push_back(kHex[byte & 0xF]);
    }
    return hex;
}

std::string Sha256Base64(std::string_view text) {
    const std::vector<unsigned char> digest = Sha256(text);
    std::string out(4 * ((digest.size() + 2) / 3) + 1, '\0');
    const int length = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(out.data()), digest.data(),
                                       static_cast<int>(digest.size()));
    out.resize(static_cast<std::size_t>(length));
    return out;
}

bool SameDigest(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CRYPTO_memcmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace velmarto::server
