// Pages 定期予定, 一時予定 and その他 of the options sheet.
#include "settings/options_pages_win.h"

namespace hiyomi {

const OptionsPageHandlers kRegularPageHandlers{};
const OptionsPageHandlers kTemporaryPageHandlers{};
const OptionsPageHandlers kOtherPageHandlers{};

}  // namespace hiyomi
