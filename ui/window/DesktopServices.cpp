#include "ui/window/DesktopServices.h"

#include "platform/Desktop.h"

namespace packwell::window {

DesktopServices DesktopServices::System() {
    DesktopServices s;
    s.openFolder = &platform::OpenFolder;
    s.openTextFile = &platform::OpenInTextEditor;
    s.gamePlatform = GameGuardPlatform::System();
    s.openProgram = &platform::OpenProgram;
    return s;
}

}  // namespace packwell::window
