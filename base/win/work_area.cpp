#include "base/win/work_area.h"

namespace hiyomi {

RECT WorkArea() {
  RECT area{0, 0, 1024, 768};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

void KeepInsideWorkArea(HWND window) {
  const RECT area = WorkArea();
  RECT frame{};
  GetWindowRect(window, &frame);
  int x = frame.left;
  int y = frame.top;
  if (frame.right > area.right) x -= frame.right - area.right;
  if (frame.bottom > area.bottom) y -= frame.bottom - area.bottom;
  if (x != frame.left || y != frame.top) {
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace hiyomi
