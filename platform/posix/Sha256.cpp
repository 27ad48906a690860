#include "platform/Sha256.h"

#include <openssl/evp.h>

#include <new>

namespace platform {

struct Sha256::State {
    EVP_MD_CTX* context = nullptr;
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
    state_->context = EVP_MD_CTX_new();
    if (!state_->context || EVP_DigestInit_ex(state_->context, EVP_sha256(), nullptr) != 1) throw std::bad_alloc();
}

Sha256::~Sha256() { EVP_MD_CTX_free(state_->context); }

void Sha256::Update(const void* data, std::size_t size) { EVP_DigestUpdate(state_->context, data, size); }

Sha256Digest Sha256::Final() {
    Sha256Digest digest{};
    unsigned int length = 0;
    EVP_DigestFinal_ex(state_->context, digest.data(), &length);
    EVP_DigestInit_ex(state_->context, EVP_sha256(), nullptr);
    return digest;
}

}  // namespace platform
