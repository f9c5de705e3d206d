// The options record: layout, fonts, colours, rest days, regular schedules
// and start-up behaviour, with its load from and save to a settings store.
#pragma once

#include <cstdint>
#include <span>

#include "settings/settings_store.h"

namespace hiyomi {

inline constexpr int kColorCount = 40;
inline constexpr int kPriorityLists = 3;
inline constexpr int kPrioritySources = 14;
inline constexpr int kPriorityRoom = 20;
inline constexpr int kRestFlagCount = 13;
inline constexpr int kRestFlagRoom = 20;
inline constexpr int kRestRuleCount = 10;
inline constexpr int kRegularCount = 50;
inline constexpr int kRegularNameSize = 41;  // 40 bytes + NUL
inline constexpr int kFontCount = 3;
inline constexpr int kFontNameSize = 32;     // LOGFONT's face name size
inline constexpr int kProfileNameSize = 131;
inline constexpr int kPathTextSize = 261;
inline constexpr int kMemoPages = 3;
inline constexpr int kMemoTitleSize = 16;
inline constexpr int kTodoTitleSize = 7;
inline constexpr int kPassCharSize = 4;
inline constexpr int kPendingMessageSize = 256;

// Colour index of each row of the colour table (key number = index + 1).
enum ColorIndex : int {
  kColorDayDefault = 0,
  kColorTitle = 1,
  kColorHorizontalHeader = 2,
  kColorVerticalHeader = 3,
  kColorDayStandard = 4,
  kColorReferenceMonth = 5,
  kColorJanuary = 6,     // ... 17 December
  kColorToday = 18,
  kColorSunday = 19,     // ... 25 Saturday: 19 + weekday
  kColorHoliday = 26,
  kColorRestDay = 27,
  kColorRegularGroup1 = 28,  // ... 32 group 5
  kColorShadow = 33,
  kColorMemo = 34,
  kColorWindow = 35,
  kColorButtonDown = 36,
  kColorButtonUp = 37,
  kColorNotrik = 38,
};

// Text and background colours, -1 where a row has no colour.
struct ColorTable {
  int text[kColorCount];
  int back[kColorCount];
};

struct Options {
  int Yoko;
  int YokoSize;
  int Tate;
  int TateLine;
  int Ptn[8];
  int PtnDay[kPriorityLists][kPriorityRoom];
  int PtnSDay;
  int BDayTime;
  int BDayMove;
  int OptDef;
  int optDefAtLoad;
  int Weekday[kRestFlagRoom];  // rest-day flags 0..12
  unsigned WeekdayP[kRestRuleCount];
  int SDay[kRegularCount];
  char SDayName[kRegularCount][kRegularNameSize];
  char FontName[kFontCount][kFontNameSize];
  int FontSize[kFontCount];  // the third follows MenuType and is not stored
  int FontBold[kFontCount];
  int FontItalic[kFontCount];
  ColorTable colors;
  int PenSize[2];
  int PenColor[2];
  int Trns[2];
  int Zoom;
  int MenuType;
  int TTType;
  int MCType;
  int MCType2[3];  // MCType20..MCType22
  int MemoPos;
  int MemoLine;
  int MemoLine2;
  char profileName[kProfileNameSize];
  int Notrik;
  int NotrikType;
  int NotrikTypeD;
  int NotrikTypeC;
  char NotrikDir[kPathTextSize];
  int TSR;
  int Note;

  // Working copies the options dialog edits; they reach the live values
  // only through SaveOptions.
  ColorTable workColors;
  int workPenColor[2];
  int TDTxtColor;
  int TDBkColor;
  int workSDay[kRegularCount];
  char workSDayName[kRegularCount][kRegularNameSize];

  char TDBtnTitle[kTodoTitleSize];
  int Secret;

  // Keys of the temporary schedules, memo pages and cipher that are loaded
  // together with the options.
  int TDBtn;
  char MemoFile[kMemoPages][kPathTextSize];
  int MemoRTF[kMemoPages];
  char MemoFTitle[kMemoPages][kMemoTitleSize];
  char PassChar[kPassCharSize];
};

// The settings keys of the options, one row per key or run of numbered keys,
// in load order: LoadOptions, LoadCommonOptions and SaveOptions walk it.
enum class OptionType : uint8_t {
  kInt,           // clamped to minimum..maximum
  kFlag,          // "0" or "1"
  kColor,         // "0x%06X", or "-1" for no colour
  kString,        // at most maximum bytes read, NUL included
  kPriorityList,  // 14 numbers "%02d,", checked before use; maximum bytes read
};

enum class OptionSection : uint8_t {
  kCurrent,  // the profile in use
  kDefault,  // section Default, whatever the profile
  kCommon,   // Default when OptDef bit 0 is set, else the profile in use
};

// How a run is walked together with the next row of the table.
enum class OptionLink : uint8_t {
  kAlone,
  kPairedWithNext,   // number by number: TextColor1, BackColor1, TextColor2, ...
  kPairedOrDeleted,  // paired; a number with value 0 or an empty text loses both keys on save
  kSavedAfterNext,   // read before the next row, written after it
  kGatesNext,        // a flag: the next row, a string, is read only when it is set, else empty
};

inline constexpr int kNoNumber = -1;  // the number of a key that has none
inline constexpr int kOptionKeyNameSize = 16;

// Where a run's values live in Options; number is the key's number.
struct OptionField {
  int (*get)(const Options&, int number) = nullptr;  // numbers, flags, colours
  void (*set)(Options&, int number, int value) = nullptr;
  const char* (*text)(const Options&, int number) = nullptr;  // strings
  char* (*buffer)(Options&, int number) = nullptr;
  int size = 0;          // a string buffer's bytes, NUL included
  int base = kNoNumber;  // the key number held at index 0
  int room = 1;          // elements in the field
};

struct OptionKey {
  const char* name;  // the key, or the stem of a numbered run ("Ptn" of Ptn0)
  int first;         // number of the run's first key, kNoNumber for a lone key
  int count;
  OptionType type;
  OptionSection section;
  const char* def;  // default text; null for built-in colours and for defaultOf
  int minimum;
  int maximum;  // strings and priority lists: the size of the read, NUL included
  OptionField field;  // none for the priority lists, which PtnDay holds
  OptionLink link = OptionLink::kAlone;
  bool saved = true;  // false: loaded with the options, never written by them
  const char* (*defaultOf)(const Options&) = nullptr;  // a string default read before it
};

std::span<const OptionKey> OptionKeys();

struct OptionKeyName {
  char text[kOptionKeyNameSize];
};
// "Ptn" with 5 gives "Ptn5"; a key without number keeps its name.
OptionKeyName NameOf(const OptionKey& key, int number);

// What the options dialog keeps while it is open, beside the copy of the
// options it edits.
struct OptionsDialogState {
  bool applied = false;  // a page was applied: closing with OK saves
  char pendingPage = 0;  // page of a validation error still to show, 0 for none
  char pendingMessage[kPendingMessageSize] = "";
  int startPage = 0;
};

// The program's one record; zero until start-up loads it.
Options& AppOptions();

// Built-in colours. full: every row into table. Otherwise only the month,
// weekday, holiday, rest-day and button rows are reset (the dialog's reset).
void SetDefaultColors(ColorTable& table, bool full);

// Selects section in store (not persisted) and reads every option.
void LoadOptions(Options& options, SettingsStore& store, const char* section);
// The group shared in Default when OptDef bit 0 is set: regular-schedule
// colours, rest-day flags and rules, regular schedules.
void LoadCommonOptions(Options& options, SettingsStore& store);
// Writes the options when dialog.applied is set, and clears it (asking owner
// whether to share the common group the first time OptDef bit 0 is set);
// otherwise drops the working copies. True when it wrote.
bool SaveOptions(Options& options, SettingsStore& store, OptionsDialogState& dialog,
                 void* owner = nullptr);

// Whether text is a valid priority list: more than 40 characters, 14
// numbers every third character, each in 0..13, no repeats. list gets the
// numbers when it is.
bool ParsePriorityList(const char* text, int (&list)[kPrioritySources]);
void DefaultPriorityList(int which, int (&list)[kPrioritySources]);

// The layout choices of the Ptn keys by what they mean. A ...Code is the
// stored value, for the row code that decodes it itself.
int TargetRowCode(const Options& options);  // Ptn0: row 0-2, complemented to move to day 1
void SetTargetRowCode(Options& options, int code);
bool MovesToDayOne(const Options& options);
int TitleFormat(const Options& options);            // Ptn1, 0-3
int HorizontalHeaderStyle(const Options& options);  // Ptn2
int VerticalHeaderCode(const Options& options);     // Ptn3: labels low 4 bits, numbering high 4
int RowLabelStyle(const Options& options);          // Ptn3's low 4 bits
int DayItemCodes(const Options& options);  // Ptn4: four 4-bit item codes, top-left lowest
int StartDayCode(const Options& options);  // Ptn5: 0-10, complemented when not fixed
void SetStartDayCode(Options& options, int code);
bool StartDayFixed(const Options& options);
bool KeepsWindowPlace(const Options& options);  // Ptn6: restore the last position and size
bool FramesTodayToo(const Options& options);    // Ptn7

int Transparency(const Options& options, bool active);
// With mask: whether TTType has any of its bits; with 0: whether it is set.
bool TooltipEnabled(const Options& options, int mask = 0);
bool CategoriesShared(const Options& options);

struct FontChoice {
  const char* face;
  int weight;  // 700 bold, 400 regular
  bool italic;
};
FontChoice OptionsFont(const Options& options, int which);

// The system's button-face colour, the default background of the window and
// button rows (a fixed light grey where there is no window system).
int ButtonFaceColor();

}  // namespace hiyomi
