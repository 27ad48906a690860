#pragma once
// SHA-256 by the system's own library (OpenSSL's libcrypto, or CNG on Windows), fed block by
// block so a download is hashed while it streams and a file is read once.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

using Sha256Digest = std::array<std::uint8_t, 32>;

class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Update(const void* data, std::size_t size);
    // The digest of everything fed; the object then starts anew.
    Sha256Digest Final();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// 64 lowercase hex digits.
std::string Sha256Hex(const Sha256Digest& digest);
// Exactly 64 hex digits, either case; anything else is no digest.
std::optional<Sha256Digest> ParseSha256Hex(std::string_view text);

}  // namespace platform
