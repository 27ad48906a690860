// The update check's boxes in the test builds of the program: each is answered with OK at once
// and written as one line "<box>|<caption>|<text>" (line breaks as \n) to the file named by
// PACKWELL_TEST_BOX_LOG.
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "app/UpdateDialogs.h"

namespace packwell::app {
namespace {

const char* BoxName(UpdateBox box) {
    switch (box) {
        case UpdateBox::Question: return "question";
        case UpdateBox::DownloadFailed: return "failed";
        case UpdateBox::NoConnection: return "noconnection";
        case UpdateBox::CannotInstall: return "cannotinstall";
    }
    return "?";
}

std::string OneLine(const std::string& text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            line += "\\n";
            ++i;
        } else {
            line += text[i];
        }
    }
    return line;
}

class AutoAnswerDialogs : public UpdateDialogs {
public:
    bool Show(const UpdateMessage& message) override {
        if (const char* path = std::getenv("PACKWELL_TEST_BOX_LOG"))
            std::ofstream(path, std::ios::app) << BoxName(message.box) << '|' << message.caption << '|'
                                               << OneLine(message.text) << '\n';
        return true;
    }
};

}  // namespace

std::unique_ptr<UpdateDialogs> MakeUpdateDialogs() { return std::make_unique<AutoAnswerDialogs>(); }

}  // namespace packwell::app
