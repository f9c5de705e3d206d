// The one table of a window's commands: each record maps an id, or a range
// of ids, to its handler and to the queries a button or menu item shows
// (enabled, ticked). Buttons, menus and control notifications all look their
// id up here. Portable: the target the handlers get is the caller's type.
#pragma once

#include <cstddef>
#include <span>

namespace hiyomi {

template <typename Target>
struct CommandEntry {
  // offset: the id's place in the range (0 for a single id); code: the
  // notification code of a control, 0 for a menu choice.
  using Run = void (*)(Target target, int offset, int code);
  using Query = bool (*)(Target target, int offset);

  int first;
  int last;  // the same as first for a single id
  Run run;
  Query enabled = nullptr;  // null: always enabled
  Query ticked = nullptr;   // null: never ticked
};

template <typename Target>
class CommandTable {
 public:
  using Entry = CommandEntry<Target>;

  template <std::size_t N>
  constexpr CommandTable(const Entry (&entries)[N]) noexcept : entries_(entries) {}

  constexpr const Entry* Find(int id) const noexcept {
    for (const Entry& entry : entries_) {
      if (id >= entry.first && id <= entry.last) return &entry;
    }
    return nullptr;
  }

  // Runs the id's handler. False, and nothing runs, for an id the table does
  // not know or whose command is disabled now.
  bool Run(Target target, int id, int code) const {
    const Entry* entry = Find(id);
    if (entry == nullptr || !Allows(*entry, target, id)) return false;
    entry->run(target, id - entry->first, code);
    return true;
  }

  bool Enabled(Target target, int id) const {
    const Entry* entry = Find(id);
    return entry != nullptr && Allows(*entry, target, id);
  }

  bool Ticked(Target target, int id) const {
    const Entry* entry = Find(id);
    return entry != nullptr && entry->ticked != nullptr && entry->ticked(target, id - entry->first);
  }

  // Every record has a handler and a range first <= last, and no id is in two
  // ranges: otherwise the later record would silently never run. For a
  // static_assert beside the table.
  constexpr bool WellFormed() const noexcept {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      const Entry& entry = entries_[i];
      if (entry.run == nullptr || entry.first > entry.last) return false;
      for (std::size_t j = 0; j < i; ++j) {
        if (entry.first <= entries_[j].last && entries_[j].first <= entry.last) return false;
      }
    }
    return true;
  }

 private:
  static bool Allows(const Entry& entry, Target target, int id) {
    return entry.enabled == nullptr || entry.enabled(target, id - entry.first);
  }

  std::span<const Entry> entries_;
};

}  // namespace hiyomi
