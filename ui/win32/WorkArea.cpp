#include "ui/win32/WorkArea.h"

namespace packwell::win32 {

POINT CentredInWorkArea(int width, int height) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left + (work.right - work.left - width) / 2, work.top + (work.bottom - work.top - height) / 2};
}

}  // namespace packwell::win32
