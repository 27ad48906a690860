#include "core/settings/OptionNotices.h"

namespace packwell {

std::string OptionNotice(OptionBox box, bool checked) {
    if (box == OptionBox::Turbo) {
        return checked ? "Режим турбо снова активен!\r\n   Наслаждайтесь скоростью:)"
                       : "Режим турбо деактивирован.\r\n   Вы уверены что хотите отключить турбо? Этот\r\n"
                         "режим активирует пять потоков загрузки, что позволяет\r\nускорить загрузку в разы, но "
                         "тем не менее, если возникают\r\nошибки, то можете попробовать его отключить.";
    }
    return checked ? "   Доп. настройки будут открыты при следующем\r\nзапуске синхронизации.\r\n   Вы можете "
                     "запустить их вручную, нажав «Setups+»\r\nв заголовке программы."
                   : "   Дополнительные настройки больше не откроются.\r\n   Вы можете запустить их вручную, "
                     "нажав «Setups+»\r\nв заголовке программы.";
}

bool AnswerOptionToggle(StatusLog& log, const OptionToggle& toggle, const std::function<void()>& saveSettings) {
    if (toggle.source != ToggleSource::Mouse) return false;
    log.Console(1, OptionNotice(toggle.box, toggle.checked));
    if (saveSettings) saveSettings();
    return true;
}

}  // namespace packwell
