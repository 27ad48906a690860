#include "net/FutureDownloads/FutureDownloads.h"

namespace FutureDownloads {

std::string FailureText(const DownloadResult& result) {
    switch (result.error) {
        case DownloadError::None: return {};
        case DownloadError::FolderMissing: return "нет папки для файла";
        case DownloadError::TargetExists: return "файл с таким именем уже есть";
        case DownloadError::Transport: return "нет связи с сервером";
        case DownloadError::HttpStatus:
            return result.httpStatus > 0 ? "сервер ответил кодом " + std::to_string(result.httpStatus)
                                         : "сервер не прислал файл";
        case DownloadError::Truncated: return "передача оборвалась";
        case DownloadError::ErrorPage: return "сервер прислал страницу ошибки";
        case DownloadError::WriteFailed: return "не удалось записать файл на диск";
        case DownloadError::Cancelled: return "загрузка прервана";
        case DownloadError::TooLarge: return "файл больше допустимого размера";
        case DownloadError::HashMismatch: return "содержимое файла не совпадает с сервером";
    }
    return "неизвестная ошибка";
}

}  // namespace FutureDownloads
