#include "schedule/memo_pages.h"

#include <algorithm>
#include <cstdio>

#include "base/text.h"

namespace hiyomi {

namespace {

// The folder part of a CP932 path, with its last separator. A trail byte
// of a double-byte character may be 0x5C, so the scan walks characters.
std::string FolderOf(const std::string& path) {
  size_t end = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    const bool lead = IsLeadByte(c);
    if (lead && i + 1 < path.size()) {
      ++i;
      continue;
    }
    if (c == '\\' || c == '/') end = i + 1;
  }
  return path.substr(0, end);
}

std::string WithMemoExtension(const std::string& programPath) {
  const std::string folder = FolderOf(programPath);
  const std::string file = programPath.substr(folder.size());
  const size_t dot = file.rfind('.');
  return folder + (dot == std::string::npos ? file : file.substr(0, dot)) + ".mem";
}

}  // namespace

std::string MemoPagePath(int page, const char* name, const std::string& programPath) {
  const std::string text = name != nullptr ? name : "";
  if (text.empty()) return page == 0 ? WithMemoExtension(programPath) : std::string();
  const bool absolute = text[0] == '\\' || (text.size() > 1 && text[1] == ':');
  return absolute ? text : FolderOf(programPath) + text;
}

std::string MemoPageTitle(int page, const char* title) {
  if (title != nullptr && title[0] != '\0') return title;
  char fallback[16];
  std::snprintf(fallback, sizeof fallback, "Memo%d", page + 1);
  return fallback;
}

int MemoAreaHeight(int textLines, bool empty, int minLines, int maxLines, int lineHeight) noexcept {
  if (empty) return 0;
  const int lines = std::clamp(textLines, minLines, std::max(minLines, maxLines));
  return lines * lineHeight;
}

}  // namespace hiyomi
