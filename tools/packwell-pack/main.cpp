// packwell-pack: the server admin's tool for a Packwell server directory.
#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/Utf8Path.h"
#include "platform/Console.h"
#include "tools/packwell-pack/PackCheck.h"
#include "tools/packwell-pack/PackRefresh.h"
#include "tools/packwell-pack/PackServer.h"
#include "tools/packwell-pack/StopWait.h"

namespace {

using namespace packwell::pack;

constexpr int kExitProblems = 1;
constexpr int kExitError = 2;

constexpr const char* kUsage =
    "usage:\n"
    "  packwell-pack refresh DIR [--dellist FILE]   write DIR/Update from the files in DIR/mods3\n"
    "  packwell-pack check DIR                      list every problem a client would meet\n"
    "  packwell-pack serve DIR [--port N]           serve DIR on 127.0.0.1 (N 0: a free port; default 8765)\n";

struct UsageError {
    std::string text;
};

// DIR and the value of the one option the command takes.
struct Arguments {
    std::string dir;
    std::optional<std::string> option;
};

Arguments Parse(const std::vector<std::string_view>& args, std::string_view optionName) {
    Arguments parsed;
    bool haveDir = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!optionName.empty() && args[i] == optionName) {
            if (i + 1 >= args.size()) throw UsageError{std::string(optionName) + " needs a value"};
            parsed.option = std::string(args[++i]);
        } else if (args[i].starts_with("--") || haveDir) {
            throw UsageError{"unexpected argument " + std::string(args[i])};
        } else {
            parsed.dir = std::string(args[i]);
            haveDir = true;
        }
    }
    if (!haveDir) throw UsageError{"DIR is missing"};
    return parsed;
}

int Refresh(const Arguments& a) {
    RefreshRequest request{packwell::PathFromUtf8(a.dir), std::nullopt};
    if (a.option) request.dellistFile = packwell::PathFromUtf8(*a.option);
    const RefreshResult r = RefreshPack(request);
    for (const auto& line : r.changes) std::cout << line << "\n";
    for (const auto& line : r.notes) std::cout << "note: " << line << "\n";
    std::cout << (r.written ? "Update written: " : "Update unchanged: ") << r.mods << " mods, " << r.totalBytes
              << " bytes, " << r.deletions << " names in dellist" << std::endl;
    return 0;
}

int Check(const Arguments& a) {
    const std::vector<Problem> problems = CheckPack(packwell::PathFromUtf8(a.dir));
    for (const auto& p : problems) std::cout << p.text << "\n";
    std::cout.flush();
    if (problems.empty()) {
        std::cerr << a.dir << ": no problems found" << std::endl;
        return 0;
    }
    std::cerr << a.dir << ": " << problems.size() << (problems.size() == 1 ? " problem" : " problems") << std::endl;
    return kExitProblems;
}

int ParsePort(const std::string& text) {
    int port = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (ec != std::errc() || end != text.data() + text.size() || port < 0 || port > 65535)
        throw UsageError{"--port takes a number from 0 to 65535"};
    return port;
}

int Serve(const Arguments& a) {
    const int wanted = a.option ? ParsePort(*a.option) : 8765;
    StopWait stop;  // before the server's threads
    PackServer server(packwell::PathFromUtf8(a.dir), std::cout);
    const int port = server.Bind(wanted);
    std::cout << "Serving " << a.dir << " at http://127.0.0.1:" << port << " (Ctrl+C stops)" << std::endl;
    std::thread loop([&server] { server.Run(); });
    stop.Wait();
    server.Stop();
    loop.join();
    std::cout << "Stopped." << std::endl;
    return 0;
}

int Main(const std::vector<std::string>& utf8Args) {
    const platform::Utf8Console console;
    const std::vector<std::string_view> args(utf8Args.begin(), utf8Args.end());
    try {
        if (args.empty() || args[0] == "--help" || args[0] == "-h") {
            (args.empty() ? std::cerr : std::cout) << kUsage;
            return args.empty() ? kExitError : 0;
        }
        const std::vector<std::string_view> rest(args.begin() + 1, args.end());
        if (args[0] == "refresh") return Refresh(Parse(rest, "--dellist"));
        if (args[0] == "check") return Check(Parse(rest, ""));
        if (args[0] == "serve") return Serve(Parse(rest, "--port"));
        throw UsageError{"unknown command " + std::string(args[0])};
    } catch (const UsageError& e) {
        std::cerr << "packwell-pack: " << e.text << "\n" << kUsage;
    } catch (const std::exception& e) {
        std::cerr << "packwell-pack: " << e.what() << std::endl;
    }
    return kExitError;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) { return Main(packwell::Utf8Arguments(argc, argv)); }
#else
int main(int argc, char** argv) { return Main(packwell::Utf8Arguments(argc, argv)); }
#endif
