#include "Addons/Custom/AllInOne/CommandLine.h"

namespace AllInOne {

std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false, quoted = false;
    for (std::size_t i = 0; i < line.size();) {
        const char c = line[i];
        if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) args.push_back(std::move(current));
            current.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            std::size_t run = 0;
            while (i < line.size() && line[i] == '\\') ++run, ++i;
            if (i < line.size() && line[i] == '"') {
                current.append(run / 2, '\\');
                if (run % 2) {
                    current += '"';
                    ++i;
                }
            } else {
                current.append(run, '\\');
            }
            continue;
        }
        if (c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                current += '"';
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        current += c;
        ++i;
    }
    if (inArgument) args.push_back(std::move(current));
    return args;
}

}  // namespace AllInOne
