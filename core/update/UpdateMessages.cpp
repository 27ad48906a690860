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

}  // namespace packwell
