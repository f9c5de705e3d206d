#include "schedule/vestin_notify.h"

#include <windows.h>

namespace hiyomi {
namespace {

// Long enough for any working program to handle it; a hung one must not
// freeze the calendar after every save.
constexpr UINT kVestinTimeoutMs = 5000;

}  // namespace

void VestinNotifier::YearFileWritten() noexcept {
  HWND vestin = FindWindowA("Vestin", "Vestin");
  if (vestin == nullptr) return;
  DWORD_PTR result = 0;
  SendMessageTimeoutA(vestin, kVestinMessage, kVestinYearFileChanged, 0,
                      SMTO_NORMAL | SMTO_ABORTIFHUNG, kVestinTimeoutMs, &result);
}

}  // namespace hiyomi
