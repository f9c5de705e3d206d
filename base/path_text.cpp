#include "base/path_text.h"

#include <cstring>

#include "base/text.h"

namespace hiyomi {

int FileNameOffset(const char* path) {
  int after = 0;
  for (int i = 0; path[i] != '\0';) {
    const auto c = static_cast<unsigned char>(path[i]);
    if (IsLeadByte(c) && path[i + 1] != '\0') {
      i += 2;
      continue;
    }
    ++i;
    if (c == '\\' || c == '/' || c == ':') after = i;
  }
  return after;
}

bool ReplaceExtension(char* path, int size, const char* extension) {
  const int name = FileNameOffset(path);
  int dot = -1;
  int end = name;
  while (path[end] != '\0') {
    const auto c = static_cast<unsigned char>(path[end]);
    if (c == '.') dot = end;
    end += (IsLeadByte(c) && path[end + 1] != '\0') ? 2 : 1;
  }
  const int stem = dot >= 0 ? dot : end;
  const int extLength = static_cast<int>(std::strlen(extension));
  if (stem + extLength + 1 > size) return false;
  std::memcpy(path + stem, extension, static_cast<size_t>(extLength) + 1);
  return true;
}

bool SettingsFilePath(char* out, int size, const char* programPath, const char* name) {
  if (out == nullptr || size <= 0) return false;
  const bool absolute = name[0] == '\\' || (name[0] != '\0' && name[1] == ':');
  const int folder = absolute ? 0 : FileNameOffset(programPath);
  const int nameLength = static_cast<int>(std::strlen(name));
  if (folder + nameLength + 1 > size) {
    out[0] = '\0';
    return false;
  }
  std::memmove(out, programPath, static_cast<size_t>(folder));
  std::memcpy(out + folder, name, static_cast<size_t>(nameLength) + 1);
  return true;
}

std::string JoinPath(const std::string& folder, const char* name) {
  if (folder.empty()) return name;
  const int after = FileNameOffset(folder.c_str());
  const bool endsWithSeparator = after == static_cast<int>(folder.size()) &&
                                 (folder.back() == '\\' || folder.back() == '/');
  return endsWithSeparator ? folder + name : folder + "\\" + name;
}

std::string FolderOfPath(const char* path) {
  const int after = FileNameOffset(path);
  if (after == 0) return "";
  const char last = path[after - 1];
  // "C:\\x" keeps its root separator; "C:x" keeps the drive.
  if (last == ':' || (after == 3 && path[1] == ':')) return std::string(path, static_cast<size_t>(after));
  return std::string(path, static_cast<size_t>(after - 1));
}

std::string TemporaryNameFor(const std::string& path) { return path + ".new"; }

}  // namespace hiyomi
