#include "tools/packwell-sync/Options.h"

#include <system_error>

#include "core/Utf8Path.h"
#include "tools/packwell-sync/ServerAddress.h"

namespace fs = std::filesystem;

namespace packwell::cli {
namespace {

ParsedArguments Fail(std::string error) {
    ParsedArguments r;
    r.kind = ParsedArguments::Kind::Error;
    r.error = std::move(error);
    return r;
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args) {
    ParsedArguments parsed;
    bool modeGiven = false;
    std::string syncOnlyOption;  // the first option that only a synchronisation uses

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (name.rfind("--", 0) == 0) {
            if (const auto eq = name.find('='); eq != std::string::npos) {
                inlineValue = name.substr(eq + 1);
                name.resize(eq);
            }
        }
        // The value of an option that takes one: after "=", or the next argument.
        auto value = [&]() -> std::optional<std::string> {
            if (inlineValue) return inlineValue;
            if (i + 1 < args.size()) return args[++i];
            return std::nullopt;
        };

        if (name == "-h" || name == "--help") {
            parsed.kind = ParsedArguments::Kind::Help;
            return parsed;
        }
        if (name == "--check-only" && !inlineValue) {
            if (modeGiven) return Fail("режим работы указан дважды");
            modeGiven = true;
            parsed.options.mode = RunMode::CheckOnly;
        } else if ((name == "--turbo" || name == "--no-turbo") && !inlineValue) {
            if (parsed.options.turbo) return Fail("--turbo и --no-turbo указаны вместе или дважды");
            parsed.options.turbo = name == "--turbo";
            if (syncOnlyOption.empty()) syncOnlyOption = name;
        } else if (name == "--clean" && !inlineValue) {
            if (parsed.options.clean) return Fail("--clean указан дважды");
            parsed.options.clean = true;
            if (syncOnlyOption.empty()) syncOnlyOption = name;
        } else if (name == "--server") {
            if (parsed.options.server) return Fail("--server указан дважды");
            const auto text = value();
            if (!text) return Fail("после --server нужен адрес сервера");
            const auto address = NormaliseServerAddress(*text);
            if (!address) return Fail("неверный адрес сервера: «" + *text + "» (нужен адрес http:// или https://)");
            parsed.options.server = *address;
        } else if (name == "--game-dir") {
            if (parsed.options.gameDir) return Fail("--game-dir указан дважды");
            const auto text = value();
            if (!text || text->empty()) return Fail("после --game-dir нужна папка игры");
            std::error_code ec;
            fs::path dir = fs::absolute(PathFromUtf8(*text), ec);
            if (ec) return Fail("не удаётся понять путь «" + *text + "»: " + ec.message());
            parsed.options.gameDir = dir.lexically_normal();
        } else {
            return Fail("неизвестный параметр: " + args[i]);
        }
    }
    if (parsed.options.mode == RunMode::CheckOnly && !syncOnlyOption.empty())
        return Fail(syncOnlyOption + " не сочетается с --check-only: проверка ничего не загружает и не удаляет");
    parsed.kind = ParsedArguments::Kind::Run;
    return parsed;
}

std::string HelpText(const std::string& defaultServer) {
    return "Использование: packwell-sync [--check-only | --turbo | --no-turbo] [--clean]\n"
           "                     [--server URL] [--game-dir ПАПКА]\n"
           "\n"
           "Сверяет папку игры с манифестом сервера, как кнопка «Проверить совместимость»,\n"
           "затем загружает недостающие моды, как «Запуск синхронизации», и выводит те же\n"
           "строки статуса. Себя программа не обновляет.\n"
           "\n"
           "  --check-only      только проверка, без синхронизации\n"
           "  --turbo           пять загрузок одновременно\n"
           "  --no-turbo        загрузка по одному файлу (по умолчанию как сохранено в окне:\n"
           "                    настройка «Турбо»)\n"
           "  --clean           удалить файлы, которые сервер отметил лишними, кроме файлов\n"
           "                    из белого списка; без него они только перечисляются\n"
           "  --server URL      адрес папки сервера (по умолчанию " + defaultServer + ")\n"
           "  --game-dir ПАПКА  папка игры (по умолчанию как в окне программы: Settings.ini,\n"
           "                    файл TLauncher, затем папка .minecraft)\n"
           "  -h, --help        эта справка\n"
           "\n"
           "Код выхода после синхронизации: 0 — все моды на месте; 1 — что-то не загружено;\n"
           "после --check-only: 0 — всё на месте; 1 — есть что загрузить или удалить;\n"
           "2 — проверить не удалось (неверная папка, нет связи, конфиг не загружен).\n";
}

}  // namespace packwell::cli
