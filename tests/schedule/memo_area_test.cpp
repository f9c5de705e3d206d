// The memo area on a real rich edit control and real page files.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/message_box.h"
#include "schedule/memo_area_win.h"
#include "schedule_fixtures.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

class MemoAreaTest : public ::testing::Test {
 protected:
  MemoAreaTest() : dir_(::testing::UnitTest::GetInstance()->current_test_info()->name()) {
    SetMessageAnswererForTests([this](MessageKind kind, const char* text) {
      messages_.emplace_back(text);
      return SafeAnswer(kind);
    });
  }
  ~MemoAreaTest() override {
    SetMessageAnswererForTests(nullptr);
    DestroyMemoArea(area_);
    if (parent_ != nullptr) DestroyWindow(parent_);
  }

  // The area over pages p1.mem .. p3.mem in the scratch folder.
  void Create(const char* className = "RichEdit20A", bool rtf = false) {
    static HMODULE libraries[] = {LoadLibraryA("Riched20.dll"), LoadLibraryA("Msftedit.dll")};
    ASSERT_TRUE(libraries[0] != nullptr && libraries[1] != nullptr);
    parent_ = CreateWindowExA(0, "STATIC", "memo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(CreateMemoArea(area_, parent_, className));
    MoveWindow(area_.control, 0, 0, 380, 200, FALSE);
    for (int page = 0; page < kMemoPageCount; ++page) paths_[page] = Page(page);
    const MemoSettings settings{{paths_[0].c_str(), paths_[1].c_str(), paths_[2].c_str()},
                                {rtf, rtf, rtf},
                                {"", "", ""}};
    SetMemoDefaults(area_, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), -1, -1, settings);
  }
  std::string Page(int page) const { return dir_.File("p" + std::to_string(page + 1) + ".mem"); }
  std::string Shown() const {
    std::vector<char> text(GetWindowTextLengthA(area_.control) + 1, '\0');
    GetWindowTextA(area_.control, text.data(), static_cast<int>(text.size()));
    return text.data();
  }
  static Bytes TextBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

  ScratchDir dir_;
  HWND parent_ = nullptr;
  MemoArea area_;
  std::string paths_[kMemoPageCount];
  std::vector<std::string> messages_;
};

TEST_F(MemoAreaTest, AnEmptyPageFileShowsAnEmptyPageAndStaysEmpty) {
  WriteBytes(Page(0), TextBytes("first page"));
  WriteBytes(Page(1), {});
  Create();
  EXPECT_EQ(Shown(), "first page");
  ASSERT_TRUE(RunMemoCommand(area_, IDM_MEMO_PAGE_FIRST + 1));
  EXPECT_EQ(Shown(), "");
  EXPECT_TRUE(ToggleMemoEdit(area_));
  EXPECT_FALSE(ToggleMemoEdit(area_));
  EXPECT_EQ(ReadBytes(Page(1)), Bytes{});
  EXPECT_EQ(ReadBytes(Page(0)), TextBytes("first page"));
  EXPECT_TRUE(messages_.empty());
}

TEST_F(MemoAreaTest, LinkTextComesBackInCp932FromEveryControlClass) {
  for (const char* className : {"RichEdit20A", "RICHEDIT50W"}) {
    SCOPED_TRACE(className);
    Create(className);
    ASSERT_EQ(IsWindowUnicode(area_.control) != 0, std::string(className) == "RICHEDIT50W");
    SetWindowTextA(area_.control, "予定 http://example.jp/予定表 メモ");
    // Characters 3..24: the address, whose last three are double-byte.
    EXPECT_EQ(SelectMemoText(area_, 3, 24), "http://example.jp/予定表");
    EXPECT_EQ(SelectMemoText(area_, 0, 2), "予定");
    DestroyMemoArea(area_);
    DestroyWindow(parent_);
    parent_ = nullptr;
  }
}

// Runs `driver` on the colour dialog once it is up on this thread.
std::function<void(HWND)> colorDriver;

BOOL CALLBACK FindColorDialog(HWND window, LPARAM found) {
  char cls[16] = "";
  GetClassNameA(window, cls, sizeof cls);
  if (std::string(cls) != "#32770" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

void CALLBACK DriveColorDialog(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindColorDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr) return;
  KillTimer(nullptr, id);
  auto driver = std::move(colorDriver);
  colorDriver = nullptr;
  driver(dialog);
}

int Highlight(HWND control, LONG first, LONG last) {
  CHARRANGE range{first, last};
  SendMessageA(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  CHARFORMAT2A format{};
  format.cbSize = sizeof format;
  SendMessageA(control, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  return (format.dwEffects & CFE_AUTOBACKCOLOR) ? -1 : static_cast<int>(format.crBackColor);
}

TEST_F(MemoAreaTest, CustomColoursAreKeptBetweenUses) {
  constexpr int kAddCustom = 0x2c8;     // the dialog's "add to custom colours"
  constexpr int kCustomArea = 0x2d1;    // its custom colour swatches
  constexpr int kColour = 0x123456;
  Create("RichEdit20A", true);
  ASSERT_TRUE(ToggleMemoEdit(area_));
  SetWindowTextA(area_.control, "abc def");
  Highlight(area_.control, 0, 3);
  CHARFORMAT2A mark{};
  mark.cbSize = sizeof mark;
  mark.dwMask = CFM_BACKCOLOR;
  mark.crBackColor = kColour;
  SendMessageA(area_.control, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&mark));

  // First use: the selection's colour goes into the custom colours.
  colorDriver = [](HWND d) {
    SendMessageA(d, WM_COMMAND, kAddCustom, 0);
    SendMessageA(d, WM_COMMAND, IDOK, 0);
  };
  SetTimer(nullptr, 0, 20, DriveColorDialog);
  ASSERT_TRUE(RunMemoCommand(area_, IDM_MEMO_HIGHLIGHT));
  EXPECT_EQ(Highlight(area_.control, 0, 3), kColour);

  // Second use, on text without a highlight: the first custom swatch.
  Highlight(area_.control, 4, 7);
  colorDriver = [](HWND d) {
    RECT swatches;
    GetWindowRect(GetDlgItem(d, kCustomArea), &swatches);
    POINT first{swatches.left + 2, swatches.top + 2};
    ScreenToClient(d, &first);
    SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.x, first.y));
    SendMessageA(d, WM_COMMAND, IDOK, 0);
  };
  SetTimer(nullptr, 0, 20, DriveColorDialog);
  ASSERT_TRUE(RunMemoCommand(area_, IDM_MEMO_HIGHLIGHT));
  EXPECT_EQ(Highlight(area_.control, 4, 7), kColour);
}

// Another program's handle on a file, opened with no sharing.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path)
      : h_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldFile() { Release(); }
  void Release() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE h_;
};

TEST_F(MemoAreaTest, APageNotReadWholeIsNeverSavedOver) {
  struct Case {
    const char* what;
    Bytes content;
    bool hold;
  };
  const Case cases[] = {
      {"held with no sharing", TextBytes("real text"), true},
      {"over 16 MiB", Bytes((16u << 20) + 1, 'm'), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(Page(0), c.content);
    HeldFile held(c.hold ? Page(0) : dir_.File("none"));
    messages_.clear();
    Create();
    EXPECT_EQ(Shown(), "");
    EXPECT_FALSE(ToggleMemoEdit(area_));  // no editing what would be lost
    EXPECT_FALSE(IsMemoEditing(area_));
    EXPECT_EQ(messages_, std::vector<std::string>{"メモファイルを読み込めませんでした。　　"});
    held.Release();
    EXPECT_EQ(ReadBytes(Page(0)), c.content);
    DestroyMemoArea(area_);
    DestroyWindow(parent_);
    parent_ = nullptr;
  }
}

TEST_F(MemoAreaTest, APageLetGoIsReadWhenEditingStarts) {
  WriteBytes(Page(0), TextBytes("real text"));
  HeldFile held(Page(0));
  Create();
  EXPECT_EQ(Shown(), "");
  held.Release();
  ASSERT_TRUE(ToggleMemoEdit(area_));
  EXPECT_EQ(Shown(), "real text");
  SetWindowTextA(area_.control, "real text, more");
  EXPECT_FALSE(ToggleMemoEdit(area_));
  EXPECT_EQ(ReadBytes(Page(0)), TextBytes("real text, more"));
  EXPECT_TRUE(messages_.empty());
}

}  // namespace
}  // namespace hiyomi
