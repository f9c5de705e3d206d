#include "settings/options.h"

namespace hiyomi {

// The usual button face of the Windows themes.
int ButtonFaceColor() { return 0xF0F0F0; }

}  // namespace hiyomi
