#pragma once
// A server directory with everything a client needs, made fresh for each test.
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace packwell::test {

struct PackFixture {
    TempDir tmp;
    std::filesystem::path dir = tmp.root() / "site";

    // mods3 holds these; the extra settings program and the Forge installer lie beside them.
    std::vector<std::pair<std::string, std::string>> mods = {
        {"Baubles-1.12-1.5.2.jar", std::string(3000, 'b')},
        {"[1.12.2] Journey Map (client).jar", std::string(70000, 'j')},
        {"zz_last.jar", "z"},
    };

    PackFixture();
    std::filesystem::path write(const std::string& relative, const std::string& content) const;
    std::string manifest() const;
    void setManifest(const std::string& text) const;
};

}  // namespace packwell::test
