// The program's texts are CP932; a terminal wants UTF-8.
#pragma once

#include <string>

// Converts CP932 bytes to UTF-8; bytes that do not convert become '?'.
std::string Utf8FromCp932(const std::string& cp932);
