#include "bench/common/Jar.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/common/Bench.h"

namespace fs = std::filesystem;

namespace packwell::bench {
namespace {

constexpr std::uint16_t kDosTime = (12 << 11) | (30 << 5);              // 12:30:00
constexpr std::uint16_t kDosDate = ((2017 - 1980) << 9) | (9 << 5) | 18;  // 2017-09-18, a 1.12.2 summer

void Put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>((v >> 8) & 0xff);
}
void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}
// Class files are big-endian.
void Put16Big(std::string& out, std::uint32_t v) {
    out += static_cast<char>((v >> 8) & 0xff);
    out += static_cast<char>(v & 0xff);
}

std::string RawDeflate(const std::string& data) {
    z_stream z{};
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    std::string out(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    if (rc != Z_STREAM_END) throw std::runtime_error("deflate failed");
    return out;
}

// Writes entries one after another, then the central directory that lists them.
class ZipWriter {
public:
    explicit ZipWriter(const fs::path& path) : out_(path, std::ios::binary), path_(path) {}

    std::uint64_t Size() const { return offset_; }

    void Add(const std::string& name, const std::string& data, bool deflated) {
        const std::string stored = deflated ? RawDeflate(data) : data;
        const std::uint32_t crc =
            static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
        const std::uint16_t version = deflated ? 20 : 10;
        const std::uint16_t method = deflated ? 8 : 0;
        std::string head;
        Put32(head, 0x04034b50);
        Put16(head, version);
        Put16(head, 0);
        Put16(head, method);
        Put16(head, kDosTime);
        Put16(head, kDosDate);
        Put32(head, crc);
        Put32(head, static_cast<std::uint32_t>(stored.size()));
        Put32(head, static_cast<std::uint32_t>(data.size()));
        Put16(head, static_cast<std::uint32_t>(name.size()));
        Put16(head, 0);
        head += name;

        Put32(directory_, 0x02014b50);
        Put16(directory_, 20);
        directory_.append(head, 4, 26);  // version needed .. extra length, as in the local header
        Put16(directory_, 0);            // comment
        Put16(directory_, 0);            // disk
        Put16(directory_, 0);            // internal attributes
        Put32(directory_, 0);            // external attributes
        Put32(directory_, static_cast<std::uint32_t>(offset_));
        directory_ += name;
        ++entries_;

        Write(head);
        Write(stored);
    }

    void Finish() {
        const std::uint64_t start = offset_;
        std::string end;
        Put32(end, 0x06054b50);
        Put16(end, 0);
        Put16(end, 0);
        Put16(end, entries_);
        Put16(end, entries_);
        Put32(end, static_cast<std::uint32_t>(directory_.size()));
        Put32(end, static_cast<std::uint32_t>(start));
        Put16(end, 0);
        Write(directory_);
        Write(end);
        out_.close();
        if (!out_) throw std::runtime_error("cannot write " + path_.string());
    }

private:
    void Write(const std::string& bytes) {
        out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        offset_ += bytes.size();
    }

    std::ofstream out_;
    fs::path path_;
    std::string directory_;
    std::uint64_t offset_ = 0;
    std::uint16_t entries_ = 0;
};

// A class file's start: magic, the Java 8 version, then a constant pool of names and
// descriptors as the compiler writes them (tag 1, a two-byte length, the text; class entries).
std::string ClassFile(const std::string& pkg, int index, std::uint64_t seed) {
    static const char* const kNames[] = {
        "net/minecraft/block/Block",           "net/minecraft/item/ItemStack",
        "net/minecraft/world/World",           "net/minecraftforge/fml/common/Mod",
        "(Lnet/minecraft/world/World;)V",      "Lnet/minecraft/util/math/BlockPos;",
        "onBlockActivated",                    "getStateFromMeta",
        "java/lang/Object",                    "Code",
        "LineNumberTable",                     "LocalVariableTable",
        "this",                                "func_180660_a",
        "field_149782_v",                      "(Lnet/minecraft/block/state/IBlockState;)I",
    };
    std::string body = "\xCA\xFE\xBA\xBE";
    Put16Big(body, 0);
    Put16Big(body, 52);
    std::string pool;
    int count = 1;
    std::uint64_t x = seed * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(index);
    for (int i = 0; i < 200; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        std::string text = kNames[x % (sizeof kNames / sizeof *kNames)];
        if (x % 3 == 0) text = pkg + "/Class" + std::to_string(index) + "$" + std::to_string(i);
        pool += '\x01';
        Put16Big(pool, text.size());
        pool += text;
        pool += '\x07';
        Put16Big(pool, static_cast<std::uint32_t>(count));
        count += 2;
    }
    Put16Big(body, static_cast<std::uint32_t>(count));
    return body + pool;
}

}  // namespace

void WriteJar(const fs::path& path, std::uint64_t size, std::uint64_t seed) {
    const std::string pkg = "com/example/mod" + std::to_string(seed);
    ZipWriter zip(path);
    zip.Add("META-INF/", "", false);
    zip.Add("META-INF/MANIFEST.MF",
            "Manifest-Version: 1.0\r\nFMLCorePluginContainsFMLMod: true\r\nCreated-By: 1.8.0_151 (Oracle Corporation)\r\n"
            "Implementation-Title: mod" + std::to_string(seed) + "\r\nImplementation-Version: 1.12.2-" +
                std::to_string(seed % 7) + "." + std::to_string(seed % 13) + "\r\n\r\n",
            true);
    zip.Add("mcmod.info",
            "[\n{\n  \"modid\": \"mod" + std::to_string(seed) + "\",\n  \"name\": \"Mod " + std::to_string(seed) +
                "\",\n  \"description\": \"Adds blocks, items and machines.\",\n  \"version\": \"1.12.2\",\n"
                "  \"mcversion\": \"1.12.2\",\n  \"authorList\": [\"someone\"],\n  \"dependencies\": []\n}\n]\n",
            true);
    // Code first, up to a third of the jar (a few classes: deflating is slow to make), then assets.
    for (int i = 0; i < 16 && zip.Size() < size / 3; ++i)
        zip.Add(pkg + "/Class" + std::to_string(i) + ".class", ClassFile(pkg, i, seed), true);
    NoiseSource noise(seed);
    for (int i = 0; zip.Size() < size; ++i) {
        const bool sound = i % 4 == 3;
        const std::uint64_t left = size - zip.Size();
        std::string data = sound ? std::string("OggS\0\x02", 6) : std::string("\x89PNG\r\n\x1a\n", 8);
        data.resize(static_cast<std::size_t>(std::min<std::uint64_t>(left, sound ? 256 * 1024 : 24 * 1024)));
        noise.Fill(data.data() + 8, data.size() > 8 ? data.size() - 8 : 0);
        zip.Add("assets/mod" + std::to_string(seed) + (sound ? "/sounds/s" : "/textures/blocks/b") +
                    std::to_string(i) + (sound ? ".ogg" : ".png"),
                data, false);
    }
    zip.Finish();
}

}  // namespace packwell::bench
