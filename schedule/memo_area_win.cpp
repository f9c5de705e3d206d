#include "schedule/memo_area_win.h"

#include <commdlg.h>
#include <richedit.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "schedule/data_file.h"
#include "base/message_box.h"
#include "base/win/ui_helpers.h"

namespace hiyomi {

namespace {

constexpr int kMargin = 5;
constexpr size_t kMemoFileLimit = 16u << 20;  // more than anyone types into a memo
constexpr const char* kSaveFailed = "メモファイル作成に失敗しました。　　";
constexpr const char* kReadFailed = "メモファイルを読み込めませんでした。　　";

struct StreamSource {
  const std::vector<uint8_t>* data;
  size_t position;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* done) {
  auto* source = reinterpret_cast<StreamSource*>(cookie);
  const size_t left = source->data->size() - source->position;
  const size_t count = std::min(left, static_cast<size_t>(wanted));
  std::memcpy(buffer, source->data->data() + source->position, count);
  source->position += count;
  *done = static_cast<LONG>(count);
  return 0;
}

DWORD CALLBACK WriteStream(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer),
                                                  static_cast<size_t>(count));
  *done = count;
  return 0;
}

std::string ProgramPath() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  return path;
}

void SetReadOnly(HWND control, bool readOnly) {
  SendMessageA(control, EM_SETOPTIONS, readOnly ? ECOOP_OR : ECOOP_AND,
               readOnly ? ECO_READONLY : ~static_cast<LPARAM>(ECO_READONLY));
}

void SetClientEdge(HWND control, bool sunken) {
  LONG_PTR style = GetWindowLongPtrA(control, GWL_EXSTYLE);
  style = sunken ? (style | WS_EX_CLIENTEDGE) : (style & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
  SetWindowLongPtrA(control, GWL_EXSTYLE, style);
  SetWindowPos(control, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void RebuildMenu(MemoArea& area) {
  if (area.menu != nullptr) DestroyMenu(area.menu);
  area.menu = CreatePopupMenu();
  UINT position = 0;
  if (area.editing) {
    InsertMenuItemText(area.menu, MFT_STRING, IDM_MEMO_FONT, "フォント変更", nullptr, position++, 0);
    InsertMenuItemText(area.menu, MFT_STRING, IDM_MEMO_HIGHLIGHT, "背景色変更", nullptr, position++, 0);
    return;
  }
  for (int page = 0; page < kMemoPageCount; ++page) {
    if (area.pages[page].path.empty()) continue;
    InsertMenuItemText(area.menu, MFT_STRING, IDM_MEMO_PAGE_FIRST + page,
                       MemoPageTitle(page, area.pages[page].title.c_str()).c_str(), nullptr,
                       position++, page == area.current ? MFS_CHECKED : 0u);
  }
}

bool SaveCurrentPage(MemoArea& area) {
  const MemoPage& page = area.pages[area.current];
  if (page.path.empty()) return true;
  if (area.pageUnread) {
    ShowMessage(area.owner, MessageKind::Stop, kSaveFailed);
    return false;
  }
  std::string content;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&content), 0, WriteStream};
  SendMessageA(area.control, EM_STREAMOUT, page.rtf ? SF_RTF : SF_TEXT,
               reinterpret_cast<LPARAM>(&stream));
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(content.data()), content.size());
  const std::span<const uint8_t> pieces[] = {bytes};
  // Written beside and put in place in one step: a failed save leaves the
  // old page as it was.
  if (SaveDataFile(SystemDataFiles(), page.path, std::string(), pieces)) return true;
  ShowMessage(area.owner, MessageKind::Stop, kSaveFailed);
  return false;
}

void ChangeSelectionFont(MemoArea& area) {
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  SendMessageA(area.control, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  LOGFONTA font{};
  HDC dc = GetDC(area.control);
  font.lfHeight = -MulDiv(format.yHeight, GetDeviceCaps(dc, LOGPIXELSY), 1440);
  ReleaseDC(area.control, dc);
  font.lfWeight = (format.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
  font.lfItalic = (format.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
  font.lfUnderline = (format.dwEffects & CFE_UNDERLINE) ? TRUE : FALSE;
  font.lfStrikeOut = (format.dwEffects & CFE_STRIKEOUT) ? TRUE : FALSE;
  font.lfCharSet = format.bCharSet;
  lstrcpynA(font.lfFaceName, format.szFaceName, LF_FACESIZE);
  CHOOSEFONTA choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = area.owner;
  choose.lpLogFont = &font;
  choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  choose.rgbColors = format.crTextColor;
  if (!ChooseFontA(&choose)) return;
  CHARFORMATA chosen{};
  chosen.cbSize = sizeof chosen;
  chosen.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_CHARSET | CFM_BOLD | CFM_ITALIC |
                  CFM_UNDERLINE | CFM_STRIKEOUT;
  lstrcpynA(chosen.szFaceName, font.lfFaceName, LF_FACESIZE);
  chosen.yHeight = choose.iPointSize * 2;  // tenths of a point to twips
  chosen.crTextColor = choose.rgbColors;
  chosen.bCharSet = font.lfCharSet;
  if (font.lfWeight >= FW_BOLD) chosen.dwEffects |= CFE_BOLD;
  if (font.lfItalic) chosen.dwEffects |= CFE_ITALIC;
  if (font.lfUnderline) chosen.dwEffects |= CFE_UNDERLINE;
  if (font.lfStrikeOut) chosen.dwEffects |= CFE_STRIKEOUT;
  SendMessageA(area.control, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&chosen));
}

void ChangeSelectionHighlight(MemoArea& area) {
  CHARFORMAT2A format{};
  format.cbSize = sizeof format;
  SendMessageA(area.control, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  int color = (format.dwEffects & CFE_AUTOBACKCOLOR) ? -1 : static_cast<int>(format.crBackColor);
  if (!ChooseColorFor(area.owner, color, area.customColors)) return;
  CHARFORMAT2A highlight{};
  highlight.cbSize = sizeof highlight;
  highlight.dwMask = CFM_BACKCOLOR;
  highlight.crBackColor = static_cast<COLORREF>(color);
  SendMessageA(area.control, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&highlight));
}

bool HasSelection(HWND control) {
  CHARRANGE range{};
  SendMessageA(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range.cpMax > range.cpMin;
}

bool ShowContextMenu(MemoArea& area, const MSGFILTER& filter) {
  if (area.editing && (!area.pages[area.current].rtf || !HasSelection(area.control))) return false;
  POINT point{GET_X_LPARAM(filter.lParam), GET_Y_LPARAM(filter.lParam)};
  ClientToScreen(area.control, &point);
  const int chosen = TrackPopupMenu(area.menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                    point.x, point.y, 0, area.owner, nullptr);
  if (chosen != 0) RunMemoCommand(area, chosen);
  return true;
}

bool OpenLink(MemoArea& area, const ENLINK& link) {
  if (link.msg != WM_LBUTTONDOWN) return false;
  const std::string text = SelectMemoText(area, link.chrg.cpMin, link.chrg.cpMax);
  ShellExecuteA(area.owner, "open", text.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return true;
}

}  // namespace

bool CreateMemoArea(MemoArea& area, HWND parent, const char* className) {
  area.owner = parent;
  area.control = CreateWindowExA(0, className, "",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                                 0, 0, 10, 10, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MEMO)),
                                 GetModuleHandleA(nullptr), nullptr);
  if (area.control == nullptr) return false;
  SendMessageA(area.control, EM_AUTOURLDETECT, TRUE, 0);
  const LRESULT mask = SendMessageA(area.control, EM_GETEVENTMASK, 0, 0);
  SendMessageA(area.control, EM_SETEVENTMASK, 0,
               mask | ENM_LINK | ENM_SELCHANGE | ENM_MOUSEEVENTS | ENM_KEYEVENTS);
  SendMessageA(area.control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(kMargin, kMargin));
  SendMessageA(area.control, EM_SETTARGETDEVICE, 0, 0);  // wrap at the window's width
  SetReadOnly(area.control, true);
  return true;
}

void DestroyMemoArea(MemoArea& area) {
  if (area.menu != nullptr) DestroyMenu(area.menu);
  area.menu = nullptr;
}

void SetMemoDefaults(MemoArea& area, HFONT font, int textColor, int backColor,
                     const MemoSettings& settings) {
  LOGFONTA logical{};
  GetObjectA(font, sizeof logical, &logical);
  HDC dc = GetDC(area.control);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  {
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    area.lineHeight = metrics.tmHeight;
    SelectObject(dc, old);
  }
  ReleaseDC(area.control, dc);

  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_COLOR;
  lstrcpynA(format.szFaceName, logical.lfFaceName, LF_FACESIZE);
  const int pixels = logical.lfHeight < 0 ? -logical.lfHeight : logical.lfHeight;
  format.yHeight = pixels * 1440 / dpi;
  format.bCharSet = logical.lfCharSet;
  format.crTextColor = textColor >= 0 ? static_cast<COLORREF>(textColor) : 0;
  format.dwEffects = textColor >= 0 ? 0 : CFE_AUTOCOLOR;
  SendMessageA(area.control, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageA(area.control, EM_SETBKGNDCOLOR, backColor < 0 ? 1 : 0,
               backColor < 0 ? 0 : static_cast<LPARAM>(backColor));

  const std::string program = ProgramPath();
  for (int page = 0; page < kMemoPageCount; ++page) {
    area.pages[page].path = MemoPagePath(page, settings.files[page], program);
    area.pages[page].rtf = settings.rtf[page];
    area.pages[page].title = settings.titles[page] != nullptr ? settings.titles[page] : "";
  }
  if (area.pages[area.current].path.empty()) area.current = 0;
  RebuildMenu(area);
  LoadMemoPage(area, area.current);
}

void LoadMemoPage(MemoArea& area, int page) {
  if (page < 0 || page >= kMemoPageCount || area.pages[page].path.empty()) return;
  for (int i = 0; i < kMemoPageCount; ++i) {
    CheckMenuItem(area.menu, IDM_MEMO_PAGE_FIRST + i, MF_BYCOMMAND | (i == page ? MF_CHECKED : MF_UNCHECKED));
  }
  area.current = page;
  DataFiles& files = SystemDataFiles();
  const std::string& path = area.pages[page].path;
  std::vector<uint8_t> data;
  // One byte over the limit tells a file that would be cut.
  const bool read = files.ReadWhole(path, kMemoFileLimit + 1, data);
  area.pageUnread = read ? data.size() > kMemoFileLimit : files.Exists(path);
  // A missing or empty file shows an empty page: keeping the previous page's
  // text would save it into this page's file when editing ends. So does a
  // file not read whole, rather than a part of it.
  if (!read || data.empty() || area.pageUnread) {
    SetWindowTextA(area.control, "");
    return;
  }
  StreamSource source{&data, 0};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadStream};
  SendMessageA(area.control, EM_STREAMIN, area.pages[page].rtf ? SF_RTF : SF_TEXT,
               reinterpret_cast<LPARAM>(&stream));
}

bool ToggleMemoEdit(MemoArea& area) {
  if (!area.editing && area.pageUnread) {
    // Another program may have let the file go since.
    LoadMemoPage(area, area.current);
    if (area.pageUnread) {
      ShowMessage(area.owner, MessageKind::Stop, kReadFailed);
      return false;
    }
  }
  area.editing = !area.editing;
  RebuildMenu(area);
  if (area.editing) {
    SetReadOnly(area.control, false);
    SetClientEdge(area.control, true);
    SetFocus(area.control);
  } else {
    SetReadOnly(area.control, true);
    SetClientEdge(area.control, false);
    SaveCurrentPage(area);
  }
  RedrawWindow(area.control, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  return area.editing;
}

int MemoTextLines(const MemoArea& area) {
  return static_cast<int>(SendMessageA(area.control, EM_GETLINECOUNT, 0, 0));
}

bool MemoIsEmpty(const MemoArea& area) { return GetWindowTextLengthA(area.control) == 0; }

std::string SelectMemoText(MemoArea& area, LONG first, LONG last) {
  CHARRANGE range{first, last};
  SendMessageA(area.control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  const size_t chars = last > first ? static_cast<size_t>(last - first) : 0;
  if (!IsWindowUnicode(area.control)) {
    std::vector<char> text(chars * 2 + 2, '\0');
    SendMessageA(area.control, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
    return text.data();
  }
  // RICHEDIT50W is a Unicode window: it fills the buffer with UTF-16 even
  // when the message is sent through SendMessageA.
  std::vector<wchar_t> wide(chars + 1, L'\0');
  SendMessageW(area.control, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(wide.data()));
  const int size = WideCharToMultiByte(932, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return std::string();
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(932, 0, wide.data(), -1, text.data(), size, nullptr, nullptr);
  text.resize(static_cast<size_t>(size) - 1);
  return text;
}

bool HandleMemoNotify(MemoArea& area, const NMHDR& header) {
  if (header.hwndFrom != area.control) return false;
  if (header.code == EN_MSGFILTER) {
    const auto& filter = reinterpret_cast<const MSGFILTER&>(header);
    return filter.msg == WM_RBUTTONUP && ShowContextMenu(area, filter);
  }
  if (header.code == EN_LINK) return OpenLink(area, reinterpret_cast<const ENLINK&>(header));
  return false;
}

bool RunMemoCommand(MemoArea& area, int command) {
  if (command >= IDM_MEMO_PAGE_FIRST && command < IDM_MEMO_PAGE_FIRST + kMemoPageCount) {
    LoadMemoPage(area, command - IDM_MEMO_PAGE_FIRST);
    return true;
  }
  if (command == IDM_MEMO_FONT) {
    ChangeSelectionFont(area);
  } else if (command == IDM_MEMO_HIGHLIGHT) {
    ChangeSelectionHighlight(area);
  } else {
    return false;
  }
  SetFocus(area.control);
  return true;
}

}  // namespace hiyomi
