// The options sheet "設定": seven pages over a copy of the options, run
// modally by the main window's options command.
#pragma once

#include <windows.h>

#include <functional>

#include "settings/options.h"

namespace hiyomi {

class SettingsStore;

// What the sheet needs from the subsystems above settings.
struct OptionsSheetServices {
  // The password dialog in its registration mode ("確認ﾊﾟｽﾜｰﾄﾞ登録").
  std::function<void(HWND owner)> registerPassword;
  // Category k's name (0..9) for the category list of page "一時予定";
  // empty or null for an unnamed one.
  std::function<const char*(int category)> categoryName;
};

// Reloads `options` from the store's current section, runs the sheet and
// returns when it closes with what the caller passes to SaveOptions: the
// applied flag is set only when OK applied every page. The profile
// commands of page "その他" may have selected, deleted or created
// sections in the store meanwhile, and `options` then holds what they
// loaded.
OptionsDialogState ShowOptionsDialog(HWND owner, Options& options, SettingsStore& store,
                                     const OptionsSheetServices& services);

}  // namespace hiyomi
