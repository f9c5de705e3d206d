// Paints the calendar grid onto the view's drawing surface.
#pragma once

#include "settings/options.h"
#include "shell/main_view_win.h"

namespace hiyomi {

void PaintGrid(MainView& view, const Options& options);

}  // namespace hiyomi
