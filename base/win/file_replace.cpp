#include "base/win/file_replace.h"

#include <windows.h>

#include <string>

#include "base/path_text.h"

namespace hiyomi {

bool MoveIntoPlace(const char* from, const char* to, bool replaceExisting) {
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0);
  return MoveFileExA(from, to, flags) != 0;
}

namespace {

// CopyFile writes through the cache; the copy must be on the disk before it
// takes the place of a good file.
bool FlushToDisk(const char* path) {
  HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool flushed = FlushFileBuffers(h) != 0;
  return CloseHandle(h) != 0 && flushed;
}

}  // namespace

bool CopyIntoPlace(const char* from, const char* to, bool replaceExisting) {
  // Checked first so a refused add costs no copy; the move below still
  // refuses if the name was taken meanwhile.
  if (!replaceExisting && GetFileAttributesA(to) != INVALID_FILE_ATTRIBUTES) return false;
  const std::string temp = TemporaryNameFor(to);
  bool ok = CopyFileA(from, temp.c_str(), FALSE) != 0;
  ok = ok && FlushToDisk(temp.c_str());
  ok = ok && MoveIntoPlace(temp.c_str(), to, replaceExisting);
  if (!ok) DeleteFileA(temp.c_str());
  return ok;
}

}  // namespace hiyomi
