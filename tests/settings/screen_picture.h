// A part of the screen saved as a 24-bit BMP file, for looking at dialogs.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

#include "base/win/gdi_objects.h"

namespace hiyomi::testing {

inline bool SaveScreenPicture(const RECT& box, const std::string& path) {
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  WindowDc screen(nullptr);
  MemoryDc memory(screen.get());
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  const Bitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return false;
  {
    const SelectedObject selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), box.left, box.top, SRCCOPY);
    GdiFlush();
  }
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + stride * static_cast<DWORD>(height);
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                       std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                       std::fwrite(bits, stride * static_cast<DWORD>(height), 1, out) == 1;
  return std::fclose(out) == 0 && written;
}

// What the screen shows of window.
inline bool SaveWindowPicture(HWND window, const std::string& path) {
  RECT box{};
  GetWindowRect(window, &box);
  return SaveScreenPicture(box, path);
}

}  // namespace hiyomi::testing
