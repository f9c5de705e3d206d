// Tells the separate program Vestin, when it runs, that a year file changed.
#pragma once

#include "schedule/prompts.h"

namespace hiyomi {

inline constexpr unsigned kVestinMessage = 0x8000;  // WM_APP
inline constexpr unsigned kVestinYearFileChanged = 17;

class VestinNotifier : public YearFileListener {
 public:
  void YearFileWritten() noexcept override;
};

}  // namespace hiyomi
