#pragma once
// The kind of file this build can start as a program. A downloaded update must be a whole
// program of that kind before it may replace the running one; each file format is one
// implementation (ELF here, PE for Windows).
#include <filesystem>

#include "core/update/ImageFile.h"

namespace packwell {

enum class ImageFault {
    None,          // a whole program this machine can start
    OtherFormat,   // not a file of this format at all
    OtherMachine,  // word size, byte order or processor of another machine
    NotAProgram,   // an object file, library or core dump of this machine
    Truncated,     // a header, a header table or the program's contents reach past the end
};

class ExecutableFormat {
public:
    virtual ~ExecutableFormat() = default;
    virtual ImageFault Inspect(const ImageFile& file) const = 0;
};

// ELF for the machine this was built for; PE for AMD64 in the Windows build.
const ExecutableFormat& ThisBuildsExecutableFormat();

// The file at `path` as this build's format sees it; OtherFormat when it cannot be read.
ImageFault InspectExecutable(const std::filesystem::path& path);

}  // namespace packwell
