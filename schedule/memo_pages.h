// The three memo pages: where their files are and how the page menu names
// them.
#pragma once

#include <string>

namespace hiyomi {

inline constexpr int kMemoPageCount = 3;
inline constexpr int kMemoTitleBytes = 15;

struct MemoPage {
  std::string path;  // empty: the page does not exist
  bool rtf = false;
  std::string title;
};

// The file of a page: a name that is neither absolute ("\...") nor has a
// drive ("X:...") is taken in the program's folder; page 0 without a name
// is the program's own path with ".mem". programPath is the program file.
std::string MemoPagePath(int page, const char* name, const std::string& programPath);

// The page menu's caption: the title, or "Memo%d" (1-3) when it is empty.
std::string MemoPageTitle(int page, const char* title);

// The area's height for the page's text: its lines clamped to
// minLines..maxLines times the line height, 0 for an empty page.
int MemoAreaHeight(int textLines, bool empty, int minLines, int maxLines, int lineHeight) noexcept;

}  // namespace hiyomi
