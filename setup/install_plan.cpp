#include "setup/install_plan.h"

#include <cstdio>

#include "base/message_box.h"
#include "base/path_text.h"

namespace hiyomi {
namespace {

constexpr char kErrorCaption[] = "エラー";
constexpr char kSetupCaption[] = "Setup";

// A copy failed: go on (the run no longer counts as a success) or stop.
bool AskToContinue(void* owner, const char* format, const char* name) {
  char text[256];
  std::snprintf(text, sizeof text, format, name);
  return ShowMessage(owner, MessageKind::YesNo, text, kErrorCaption) == MessageAnswer::Yes;
}

bool MakeBackup(const InstallRequest& request, const std::string& destination, const char* name,
                InstallFiles& files) {
  for (int attempt = 1; attempt <= kBackupAttempts; ++attempt) {
    const std::string backup = BackupNameOf(request.target, name, request.month, request.day, attempt);
    if (files.Add(destination, backup)) return true;
  }
  return false;
}

}  // namespace

int FindVersion(const LocalStamp& stamp) {
  for (int i = 0; i < static_cast<int>(kVersionTable.size()); ++i) {
    if (kVersionTable[static_cast<size_t>(i)].stamp == stamp) return i;
  }
  return kNoVersion;
}

std::string SourceNameOf(const DistributionFile& file) {
  return file.kind == FileKind::kSettings ? std::string("_") + file.name : std::string(file.name);
}

RowState RowStateOf(const DistributionFile& file, bool exists, int version) {
  RowState row;
  row.exists = exists;
  if (!exists) {
    row.installedText = "なし    ";
    row.needsUpdate = true;
  } else if (version < 0 || version >= static_cast<int>(kVersionTable.size())) {
    row.installedText = "????    ";
    row.needsUpdate = true;
  } else {
    const int v = kVersionTable[static_cast<size_t>(version)].version;
    char text[32];
    std::snprintf(text, sizeof text, "V%d.%02d    ", v / 100, v % 100);
    row.installedText = text;
    row.needsUpdate = version != file.expectedVersion;
  }
  row.skipEnabled = row.needsUpdate;
  row.addEnabled = row.needsUpdate && !exists;
  row.overwriteEnabled = row.needsUpdate && exists;
  if (row.needsUpdate) {
    // Settings the user already has are never replaced unasked.
    if (!exists) {
      row.preselected = Choice::kAdd;
    } else {
      row.preselected = file.kind == FileKind::kProgram ? Choice::kOverwrite : Choice::kSkip;
    }
  }
  return row;
}

std::string BackupNameOf(const std::string& target, const char* name, int month, int day,
                         int attempt) {
  const int stamp = month * 1000 + day * 10 + attempt;
  char text[16];
  std::snprintf(text, sizeof text, "_%d", stamp);
  return JoinPath(target, name) + text;
}

bool RunInstall(void* owner, const InstallRequest& request, InstallFiles& files) {
  bool success = true;
  for (int i = 0; i < kFileCount; ++i) {
    const DistributionFile& file = kDistributionFiles[static_cast<size_t>(i)];
    const RowChoice& row = request.rows[static_cast<size_t>(i)];
    const std::string source = JoinPath(request.source, SourceNameOf(file).c_str());
    const std::string destination = JoinPath(request.target, file.name);
    if (row.choice == Choice::kAdd) {
      if (!files.Add(source, destination)) {
        if (!AskToContinue(owner, "%sの追加に失敗しました。処理を続けますか？　　", file.name)) return false;
        success = false;
      }
    } else if (row.choice == Choice::kOverwrite) {
      if (row.backup && !MakeBackup(request, destination, file.name, files)) {
        if (!AskToContinue(owner, "%sのバックアップ作成に失敗しました。処理を続けますか？　　",
                           file.name)) {
          return false;
        }
        success = false;
      }
      if (!files.Overwrite(source, destination)) {
        if (!AskToContinue(owner, "%sの上書に失敗しました。処理を続けますか？　　", file.name)) return false;
        success = false;
      }
    }
  }
  if (request.deleteSources) {
    // After a failed copy the distribution is kept whole, so the window that
    // stays open can try again with every file still there.
    if (!success) return false;
    const bool intoSource = request.target == request.source;
    bool removed = true;
    for (const DistributionFile& file : kDistributionFiles) {
      if (file.kind == FileKind::kProgram && intoSource) continue;
      removed = files.Remove(JoinPath(request.source, SourceNameOf(file).c_str())) && removed;
    }
    if (!removed) {
      ShowMessage(owner, MessageKind::Exclamation, "削除できないファイルがありました。　　", kErrorCaption);
      return false;
    }
    ShowMessage(owner, MessageKind::Information,
                "処理を正常に終了しました。なおSetup.exeは手動で削除してください。　　", kSetupCaption);
    return true;
  }
  if (success) ShowMessage(owner, MessageKind::Information, "処理を正常に終了しました。　　", kSetupCaption);
  return success;
}

}  // namespace hiyomi
