// Setup's decisions: versions by their exact local stamps, the choices a row
// offers, and runs over a folder of fake files with the questions answered
// through the message seam.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/message_box.h"
#include "setup/install_plan.h"

namespace hiyomi {
namespace {

TEST(FindVersion, OnlyTheExactSecondMatches) {
  EXPECT_EQ(FindVersion({2007, 4, 3, 1, 51, 0}), kCurrentProgramVersion);
  EXPECT_EQ(FindVersion({2007, 1, 21, 1, 44, 0}), kCurrentAgeVersion);
  EXPECT_EQ(FindVersion({2006, 8, 22, 1, 31, 2}), 4);
  EXPECT_EQ(FindVersion({2006, 8, 22, 1, 31, 0}), kNoVersion);
  EXPECT_EQ(FindVersion({2007, 4, 3, 10, 51, 0}), kNoVersion);  // the same day, other time
}

TEST(RowStateOf, EnabledAndPreselectedChoices) {
  const DistributionFile& program = kDistributionFiles[1];   // Hiyomi.exe
  const DistributionFile& settings = kDistributionFiles[3];  // Hiyomi.ini
  const DistributionFile& age = kDistributionFiles[4];       // HiyomiAge.ini, V1.44
  const struct {
    const DistributionFile* file;
    bool exists;
    int version;
    const char* text;
    bool needs, skip, add, overwrite;
    Choice preselected;
  } cases[] = {
      {&program, false, kNoVersion, "なし    ", true, true, true, false, Choice::kAdd},
      {&program, true, 10, "V1.50    ", true, true, false, true, Choice::kOverwrite},
      {&program, true, kNoVersion, "????    ", true, true, false, true, Choice::kOverwrite},
      {&program, true, 11, "V1.51    ", false, false, false, false, Choice::kNone},
      {&settings, true, 5, "V1.40    ", true, true, false, true, Choice::kSkip},
      {&settings, false, kNoVersion, "なし    ", true, true, true, false, Choice::kAdd},
      {&age, true, 9, "V1.44    ", false, false, false, false, Choice::kNone},
      {&age, true, 11, "V1.51    ", true, true, false, true, Choice::kSkip},
  };
  for (const auto& c : cases) {
    const RowState row = RowStateOf(*c.file, c.exists, c.version);
    SCOPED_TRACE(std::string(c.file->name) + " " + c.text);
    EXPECT_EQ(row.installedText, c.text);
    EXPECT_EQ(row.needsUpdate, c.needs);
    EXPECT_EQ(row.skipEnabled, c.skip);
    EXPECT_EQ(row.addEnabled, c.add);
    EXPECT_EQ(row.overwriteEnabled, c.overwrite);
    EXPECT_EQ(row.preselected, c.preselected);
  }
}

TEST(BackupNameOf, MonthThousandsDayTensAndTheAttempt) {
  EXPECT_EQ(BackupNameOf("C:\\Hiyomi", "Hiyomi.exe", 12, 7, 1), "C:\\Hiyomi\\Hiyomi.exe_12071");
  EXPECT_EQ(BackupNameOf("C:\\Hiyomi", "Hiyomi.exe", 12, 7, 9), "C:\\Hiyomi\\Hiyomi.exe_12079");
  EXPECT_EQ(BackupNameOf("C:\\Hiyomi", "Kivrel.exe", 1, 31, 2), "C:\\Hiyomi\\Kivrel.exe_1312");
}

// Files by path; copies fail for paths listed in `refuse`.
struct FakeFiles : InstallFiles {
  std::map<std::string, std::string> files;
  std::set<std::string> refuse;
  std::vector<std::string> log;
  bool Add(const std::string& from, const std::string& to) override {
    log.push_back("add " + to);
    if (refuse.count(to) || files.count(to) || !files.count(from)) return false;
    files[to] = files[from];
    return true;
  }
  bool Overwrite(const std::string& from, const std::string& to) override {
    log.push_back("overwrite " + to);
    if (refuse.count(to) || !files.count(from)) return false;
    files[to] = files[from];
    return true;
  }
  bool Remove(const std::string& path) override {
    log.push_back("remove " + path);
    if (refuse.count(path)) return false;
    return files.erase(path) == 1;
  }
};

struct Said {
  MessageKind kind;
  std::string text, caption;
  bool operator==(const Said&) const = default;
};

class RunInstallTest : public ::testing::Test {
 protected:
  RunInstallTest() {
    previous_ = SetCaptionedMessageAnswererForTests(
        [this](MessageKind kind, const char* text, const char* caption) {
          said.push_back({kind, text, caption});
          return answer;
        });
    FillDistribution();
    request.source = "D:\\dist";
    request.target = "C:\\Hiyomi";
    request.month = 12;
    request.day = 7;
  }
  ~RunInstallTest() override { SetCaptionedMessageAnswererForTests(std::move(previous_)); }

  void FillDistribution() {
    files = FakeFiles{};
    for (const DistributionFile& file : kDistributionFiles) {
      files.files["D:\\dist\\" + SourceNameOf(file)] = std::string("new ") + file.name;
    }
  }

  FakeFiles files;
  InstallRequest request;
  std::vector<Said> said;
  MessageAnswer answer = MessageAnswer::Yes;

 private:
  CaptionedMessageAnswerer previous_;
};

const Said kDone{MessageKind::Information, "処理を正常に終了しました。　　", "Setup"};

TEST_F(RunInstallTest, AddsIntoAnEmptyTargetFromTheUnderscoreNames) {
  for (RowChoice& row : request.rows) row.choice = Choice::kAdd;
  EXPECT_TRUE(RunInstall(nullptr, request, files));
  EXPECT_EQ(files.files["C:\\Hiyomi\\Hiyomi.ini"], "new Hiyomi.ini");
  EXPECT_EQ(files.files["C:\\Hiyomi\\Kivrel.exe"], "new Kivrel.exe");
  EXPECT_EQ(said, std::vector<Said>{kDone});
}

TEST_F(RunInstallTest, NothingChosenStillReportsSuccess) {
  EXPECT_TRUE(RunInstall(nullptr, request, files));
  EXPECT_TRUE(files.log.empty());
  EXPECT_EQ(said, std::vector<Said>{kDone});
}

TEST_F(RunInstallTest, BackupOnSeventhDecemberTakesTheFirstFreeName) {
  files.files["C:\\Hiyomi\\Hiyomi.exe"] = "old";
  files.files["C:\\Hiyomi\\Hiyomi.exe_12071"] = "older";
  request.rows[1] = {Choice::kOverwrite, true};
  EXPECT_TRUE(RunInstall(nullptr, request, files));
  EXPECT_EQ(files.files["C:\\Hiyomi\\Hiyomi.exe_12071"], "older");
  EXPECT_EQ(files.files["C:\\Hiyomi\\Hiyomi.exe_12072"], "old");
  EXPECT_EQ(files.files["C:\\Hiyomi\\Hiyomi.exe"], "new Hiyomi.exe");
}

TEST_F(RunInstallTest, AFailedCopyAsksAndNoStopsAtOnce) {
  files.files["C:\\Hiyomi\\Hiyomi.exe"] = "old";
  files.refuse = {"C:\\Hiyomi\\Hiyomi.exe"};
  request.rows[0] = {Choice::kAdd, false};
  request.rows[1] = {Choice::kOverwrite, false};
  request.rows[5] = {Choice::kAdd, false};
  answer = MessageAnswer::No;
  EXPECT_FALSE(RunInstall(nullptr, request, files));
  EXPECT_EQ(said, (std::vector<Said>{{MessageKind::YesNo,
                                      "Hiyomi.exeの上書に失敗しました。処理を続けますか？　　",
                                      "エラー"}}));
  EXPECT_EQ(files.files["C:\\Hiyomi\\ReadMe.txt"], "new ReadMe.txt");  // copied before stays
  EXPECT_FALSE(files.files.count("C:\\Hiyomi\\Kivrel.exe"));
}

TEST_F(RunInstallTest, YesGoesOnButTheRunIsNoSuccessAndKeepsTheDistribution) {
  files.files["C:\\Hiyomi\\ReadMe.txt"] = "mine";  // the add must not replace it
  request.rows[0] = {Choice::kAdd, false};
  request.rows[5] = {Choice::kAdd, false};
  request.deleteSources = true;
  EXPECT_FALSE(RunInstall(nullptr, request, files));
  EXPECT_EQ(files.files["C:\\Hiyomi\\ReadMe.txt"], "mine");
  EXPECT_EQ(files.files["C:\\Hiyomi\\Kivrel.exe"], "new Kivrel.exe");
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0].text, "ReadMe.txtの追加に失敗しました。処理を続けますか？　　");
  // Another attempt still finds every file.
  EXPECT_TRUE(files.files.count("D:\\dist\\Kivrel.exe"));
  EXPECT_TRUE(files.files.count("D:\\dist\\_Hiyomi.ini"));
}

TEST_F(RunInstallTest, NineTakenBackupNamesAsk) {
  files.files["C:\\Hiyomi\\Kivrel.exe"] = "old";
  for (int j = 1; j <= 9; ++j) files.files["C:\\Hiyomi\\Kivrel.exe_1207" + std::to_string(j)] = "b";
  request.rows[5] = {Choice::kOverwrite, true};
  answer = MessageAnswer::No;
  EXPECT_FALSE(RunInstall(nullptr, request, files));
  EXPECT_EQ(said.back().text, "Kivrel.exeのバックアップ作成に失敗しました。処理を続けますか？　　");
  EXPECT_EQ(files.files["C:\\Hiyomi\\Kivrel.exe"], "old");
}

TEST_F(RunInstallTest, DeletionAfterwards) {
  const struct {
    const char* target;
    std::vector<std::string> removed;
  } cases[] = {
      {"C:\\Hiyomi",
       {"D:\\dist\\ReadMe.txt", "D:\\dist\\Hiyomi.exe", "D:\\dist\\Hiyomi.chm", "D:\\dist\\_Hiyomi.ini",
        "D:\\dist\\_HiyomiAge.ini", "D:\\dist\\Kivrel.exe"}},
      // Into the distribution itself: only the "_" settings sources go.
      {"D:\\dist", {"D:\\dist\\_Hiyomi.ini", "D:\\dist\\_HiyomiAge.ini"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    FillDistribution();
    said.clear();
    request.target = c.target;
    request.deleteSources = true;
    EXPECT_TRUE(RunInstall(nullptr, request, files));
    std::vector<std::string> removed;
    for (const std::string& entry : files.log) {
      if (entry.rfind("remove ", 0) == 0) removed.push_back(entry.substr(7));
    }
    EXPECT_EQ(removed, c.removed);
    EXPECT_EQ(said, (std::vector<Said>{{MessageKind::Information,
                                        "処理を正常に終了しました。なおSetup.exeは手動で削除してください。　　",
                                        "Setup"}}));
  }
  FillDistribution();
  files.refuse = {"D:\\dist\\_Hiyomi.ini"};
  said.clear();
  EXPECT_FALSE(RunInstall(nullptr, request, files));
  EXPECT_EQ(said, (std::vector<Said>{{MessageKind::Exclamation, "削除できないファイルがありました。　　",
                                      "エラー"}}));
}

}  // namespace
}  // namespace hiyomi
