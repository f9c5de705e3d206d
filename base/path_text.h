// Path text in code page 932: a backslash byte can be the trail byte of a
// double-byte character, so separators are found by walking characters.
#pragma once

#include <string>

namespace hiyomi {

// Offset just past the last '\' or '/' (or ':'), 0 when there is none.
int FileNameOffset(const char* path);

// Replaces the extension of the file name in path (or appends one when it
// has none) with extension, which includes its dot. False when the result
// would not fit in size bytes; path is then unchanged.
bool ReplaceExtension(char* path, int size, const char* extension);

// The settings file path for name: unchanged when absolute (second character
// ':' or first '\'), else put in the folder of programPath. False when it
// does not fit.
bool SettingsFilePath(char* out, int size, const char* programPath, const char* name);

// folder + "\\" + name, without doubling a separator the folder already
// ends with ("C:\\"); name alone when folder is empty.
std::string JoinPath(const std::string& folder, const char* name);

// The folder part of path, without its last separator ("" when none).
std::string FolderOfPath(const char* path);

// The name a file is written under before it replaces path in one step.
std::string TemporaryNameFor(const std::string& path);

}  // namespace hiyomi
