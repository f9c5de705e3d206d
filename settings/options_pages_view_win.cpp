// Pages 基本, 全体表示, 日表示 and 色設定 of the options sheet.
#include "settings/options_pages_win.h"

namespace hiyomi {

const OptionsPageHandlers kBasicPageHandlers{};
const OptionsPageHandlers kWholeViewPageHandlers{};
const OptionsPageHandlers kDayViewPageHandlers{};
const OptionsPageHandlers kColorsPageHandlers{};

}  // namespace hiyomi
