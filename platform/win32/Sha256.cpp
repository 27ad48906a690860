#include "platform/Sha256.h"

#include <windows.h>
#include <bcrypt.h>

#include <new>

namespace platform {

// CNG's shared algorithm object; a reusable hash starts anew after each finish.
struct Sha256::State {
    BCRYPT_HASH_HANDLE hash = nullptr;
};

namespace {

BCRYPT_ALG_HANDLE Algorithm() {
    static const BCRYPT_ALG_HANDLE algorithm = [] {
        BCRYPT_ALG_HANDLE handle = nullptr;
        if (BCryptOpenAlgorithmProvider(&handle, BCRYPT_SHA256_ALGORITHM, nullptr, BCRYPT_HASH_REUSABLE_FLAG) < 0)
            return BCRYPT_ALG_HANDLE{};
        return handle;
    }();
    return algorithm;
}

}  // namespace

Sha256::Sha256() : state_(std::make_unique<State>()) {
    const BCRYPT_ALG_HANDLE algorithm = Algorithm();
    if (!algorithm || BCryptCreateHash(algorithm, &state_->hash, nullptr, 0, nullptr, 0, BCRYPT_HASH_REUSABLE_FLAG) < 0)
        throw std::bad_alloc();
}

Sha256::~Sha256() { BCryptDestroyHash(state_->hash); }

void Sha256::Update(const void* data, std::size_t size) {
    // CNG takes 32-bit lengths.
    auto* bytes = static_cast<PUCHAR>(const_cast<void*>(data));
    while (size > 0) {
        const ULONG piece = size > 0x40000000u ? 0x40000000u : static_cast<ULONG>(size);
        BCryptHashData(state_->hash, bytes, piece, 0);
        bytes += piece;
        size -= piece;
    }
}

Sha256Digest Sha256::Final() {
    Sha256Digest digest{};
    BCryptFinishHash(state_->hash, digest.data(), static_cast<ULONG>(digest.size()), 0);
    return digest;
}

}  // namespace platform
