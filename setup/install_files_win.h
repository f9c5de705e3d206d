// Setup's files on the Win32 file API: copies put in place in one step, and
// an installed file's local time stamp.
#pragma once

#include <string>

#include "setup/install_plan.h"

namespace hiyomi {

class SystemInstallFiles final : public InstallFiles {
 public:
  bool Add(const std::string& from, const std::string& to) override;
  bool Overwrite(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
};

// The last-write time of path in local time. False when the file cannot be
// opened for reading.
bool ReadLocalStamp(const std::string& path, LocalStamp& stamp);

}  // namespace hiyomi
