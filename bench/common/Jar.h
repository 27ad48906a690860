#pragma once
// Jars that look like a pack's mod files to anything that reads their first bytes: real zip
// files laid out the way build tools write mods.
#include <cstdint>
#include <filesystem>

namespace packwell::bench {

// Writes a zip of about `size` bytes (never less than a few KiB): the folder META-INF/, the
// manifest and mcmod.info deflated, then deflated class files (constant pools of names and
// descriptors), then stored textures (PNG) and sounds (Ogg) of noise up to the size. The same
// seed gives the same bytes. Throws when the file cannot be written.
void WriteJar(const std::filesystem::path& path, std::uint64_t size, std::uint64_t seed);

}  // namespace packwell::bench
