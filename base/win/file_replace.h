// Putting a file in place in one step, so a failure on the way leaves what
// was there whole: the data files' saves and Setup's copies share this.
#pragma once

namespace hiyomi {

// Renames from to to with write-through. With replaceExisting an existing
// to is replaced in the same step; without it the move fails when to exists.
bool MoveIntoPlace(const char* from, const char* to, bool replaceExisting);

// Copies from (content and time stamps) to a temporary name beside to,
// flushes it to the disk and then moves it into place as MoveIntoPlace
// does. On failure the temporary copy is removed and to is untouched.
bool CopyIntoPlace(const char* from, const char* to, bool replaceExisting);

}  // namespace hiyomi
