// Owners for GDI objects, menus, selections, device contexts and thread hooks,
// released in reverse order of acquisition by scope.
#pragma once

#include <windows.h>

#include <utility>

namespace hiyomi {

// One owner for every kind of handle that is released by one call: moved,
// never copied, released when the owner goes or is reset.
template <typename Handle, typename Release>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  ~Owned() { Reset(); }

  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr) Release{}(handle_);
    handle_ = handle;
  }
  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  Handle handle_ = nullptr;
};

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct UnhookThreadHook {
  void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};

struct DestroyMenuHandle {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};

template <typename Handle>
using GdiObject = Owned<Handle, DeleteGdiObject>;
using ScopedHook = Owned<HHOOK, UnhookThreadHook>;
// A menu with its submenus, destroyed with its owner.
using OwnedMenu = Owned<HMENU, DestroyMenuHandle>;

// A hook of the calling thread, removed with its owner.
inline ScopedHook HookThisThread(int kind, HOOKPROC procedure) {
  return ScopedHook(SetWindowsHookExA(kind, procedure, nullptr, GetCurrentThreadId()));
}

using Font = GdiObject<HFONT>;
using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;

// Selects an object into a DC for the scope and puts the old one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object)
      : dc_(dc), old_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (old_ != nullptr) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A memory DC compatible with another; deleted with the scope.
class MemoryDc {
 public:
  MemoryDc() = default;
  explicit MemoryDc(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() { Reset(); }
  void Reset(HDC dc = nullptr) {
    if (dc_ != nullptr) DeleteDC(dc_);
    dc_ = dc;
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_ = nullptr;
};

// A window's DC for the scope.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace hiyomi
