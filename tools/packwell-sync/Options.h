#pragma once
// The command line of packwell-sync.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace packwell::cli {

enum class RunMode {
    CheckOnly,  // --check-only: what "Проверить совместимость" would report
    Sync,       // the default: the check, then "Запуск синхронизации"
};

struct Options {
    RunMode mode = RunMode::Sync;
    std::optional<std::string> server;              // base address, no trailing "/"
    std::optional<std::filesystem::path> gameDir;   // absolute
    std::optional<bool> turbo;  // --turbo / --no-turbo; otherwise the saved "Turbo" setting
    bool clean = false;         // --clean: delete the deletable files the white-list does not keep
};

struct ParsedArguments {
    enum class Kind { Run, Help, Error } kind = Kind::Error;
    Options options;
    std::string error;  // plain words, for standard error
};

// Arguments without the program name. "--name value" and "--name=value" both work.
ParsedArguments ParseArguments(const std::vector<std::string>& args);

std::string HelpText(const std::string& defaultServer);

}  // namespace packwell::cli
