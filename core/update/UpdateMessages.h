#pragma once
// The three message boxes of the update check, with their exact texts. The application shows
// them (modal, on top of every window); the core decides which and when.
#include <cstdint>
#include <string>

namespace packwell {

enum class UpdateBox {
    Question,        // OK and Cancel, information icon
    DownloadFailed,  // OK, error icon
    NoConnection,    // OK, warning icon
    CannotInstall,   // OK, warning icon: the update cannot complete here, the program goes on
};

struct UpdateMessage {
    UpdateBox box = UpdateBox::Question;
    std::string text;
    std::string caption;
};

// `announcedLength` -1 (not announced) gives the empty size text.
UpdateMessage UpdateQuestion(const std::string& announcedVersion, std::int64_t announcedLength);
UpdateMessage UpdateDownloadFailed();
UpdateMessage UpdateNoConnection();
// What stops the exchange, with what the player can do; `folder` is the program's, `name` its file.
UpdateMessage UpdateFolderNotWritable(const std::string& announcedVersion, const std::string& folder);
UpdateMessage UpdateNameNotWritable(const std::string& announcedVersion, const std::string& name);

class UpdateDialogs {
public:
    virtual ~UpdateDialogs() = default;
    // Shows the box and waits for it; true when it was answered with OK (closing it answers
    // Cancel on the question).
    virtual bool Show(const UpdateMessage& message) = 0;
};

}  // namespace packwell
