#include "core/settings/IniSyntax.h"

namespace packwell::ini {

std::string_view TakeBom(std::string_view& file) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    const std::string_view bom = file.starts_with(kBom) ? file.substr(0, kBom.size()) : std::string_view();
    file.remove_prefix(bom.size());
    return bom;
}

Line NextLine(std::string_view& file) {
    const std::size_t end = file.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        const Line last{file, {}};
        file = {};
        return last;
    }
    const std::size_t breakSize = file.substr(end).starts_with("\r\n") ? 2 : 1;
    const Line line{file.substr(0, end), file.substr(end, breakSize)};
    file.remove_prefix(end + breakSize);
    return line;
}

std::vector<Line> SplitLines(std::string_view file, std::string_view& bom) {
    bom = TakeBom(file);
    std::vector<Line> lines;
    while (!file.empty()) lines.push_back(NextLine(file));
    return lines;
}

std::string_view Trim(std::string_view text) {
    constexpr std::string_view kBlank = " \t\r\v\f";
    const std::size_t first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

std::string_view ValueText(std::string_view raw) {
    std::string_view value = Trim(raw);
    value = value.substr(0, value.find('\0'));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

std::string WritableValue(std::string_view value) {
    if (ValueText(value) == value) return std::string(value);
    return "\"" + std::string(value) + "\"";
}

Parsed ParseLine(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == ';') return {};
    if (text.front() == '[') {
        const std::size_t close = text.rfind(']');
        if (close != std::string_view::npos) return {Parsed::Kind::Section, Trim(text.substr(1, close - 1)), {}};
    }
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos) return {};
    return {Parsed::Kind::Entry, Trim(text.substr(0, eq)), ValueText(text.substr(eq + 1))};
}

std::string FoldName(std::string_view name) {
    std::string folded(Trim(name));
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

bool SameName(std::string_view a, std::string_view b) { return FoldName(a) == FoldName(b); }

}  // namespace packwell::ini
