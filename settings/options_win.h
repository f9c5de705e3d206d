// The options' fonts as GDI objects.
#pragma once

#include <windows.h>

#include "settings/options.h"

namespace hiyomi {

// Font 0, 1 or 2 of the options at height (logical units); the caller owns
// and deletes it.
HFONT CreateOptionsFont(const Options& options, int which, int height);

}  // namespace hiyomi
