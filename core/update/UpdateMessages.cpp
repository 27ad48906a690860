#include "core/update/UpdateMessages.h"

#include "Addons/Custom/AllInOne/AllInOne.h"

namespace packwell {
namespace {
constexpr std::int8_t kTwoDecimals = -2;  // the byte 254 the question passes
}

UpdateMessage UpdateQuestion(const std::string& announcedVersion, std::int64_t announcedLength) {
    return {UpdateBox::Question,
            "Размер обновления: " + AllInOne::FormatSize(kTwoDecimals, static_cast<double>(announcedLength)) +
                "\r\n\r\nДля продолжения нажмите ОК",
            "Packwell Brenvik " + announcedVersion};
}

UpdateMessage UpdateDownloadFailed() {
    return {UpdateBox::DownloadFailed, "Не удалось скачать файл обновления.\r\nПрограмма будет закрыта.", "Ошибка"};
}

UpdateMessage UpdateNoConnection() {
    return {UpdateBox::NoConnection, "К сожалению, проверить обновления не удалось.", "Ошибка"};
}

UpdateMessage UpdateFolderNotWritable(const std::string& announcedVersion, const std::string& folder) {
    return {UpdateBox::CannotInstall,
            "Новую версию " + announcedVersion + " не удалось установить: в папку программы нельзя записывать.\r\n" +
                folder + "\r\n\r\nПереместите Packwell в папку, куда можно записывать (например, в «Документы» или на "
                "Рабочий стол), и запустите его оттуда.\r\nСейчас запустится текущая версия.",
            "Packwell Brenvik " + announcedVersion};
}

UpdateMessage UpdateNameNotWritable(const std::string& announcedVersion, const std::string& name) {
    return {UpdateBox::CannotInstall,
            "Новую версию " + announcedVersion + " не удалось установить: имя файла программы\r\n" + name +
                "\r\nнельзя записать в сценарий обновления.\r\n\r\nПереименуйте файл латинскими буквами (например, "
                "Packwell.exe) и запустите его снова.\r\nСейчас запустится текущая версия.",
            "Packwell Brenvik " + announcedVersion};
}

}  // namespace packwell
