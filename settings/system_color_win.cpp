#include <windows.h>

#include "settings/options.h"

namespace hiyomi {

int ButtonFaceColor() { return static_cast<int>(GetSysColor(COLOR_BTNFACE) & 0xFFFFFF); }

}  // namespace hiyomi
