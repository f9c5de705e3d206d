// The view's display switches: which sources of a day are shown, as the
// bits of one word the grid, the tooltip, the print and the export share.
#pragma once

namespace hiyomi {

inline constexpr unsigned kShowRegular = 1u << 0;
inline constexpr unsigned kShowToDo = 1u << 1;
inline constexpr unsigned kShowTemporary = 1u << 3;
inline constexpr int kFirstCategoryBit = 4;  // bits 4-13: categories 0-9
inline constexpr unsigned kCategoryBits = 0x3FF0u;
inline constexpr unsigned kShowAll = 0xFFFFFFFFu;

// Days before a day whose spanning entries may still run on it.
inline constexpr int kBarLookBack = 100;
// Days ahead, counting today as 1, an undated entry may be shown.
inline constexpr int kUndatedHorizon = 999;

}  // namespace hiyomi
