#include "shell/command_table.h"

#include <gtest/gtest.h>

#include <vector>

namespace hiyomi {

namespace {

// What the handlers saw, and the state the queries answer from.
struct Log {
  struct Call {
    int handler;
    int offset;
    int code;
  };
  std::vector<Call> calls;
  bool singleEnabled = true;
  int tickedOffset = -1;
  int disabledOffset = -1;
};

using Entry = CommandEntry<Log*>;

// A single id, a range with both queries, and a single id with queries,
// with gaps between them.
constexpr Entry kEntries[] = {
    {10, 10, [](Log* log, int offset, int code) { log->calls.push_back({1, offset, code}); },
     [](Log* log, int) { return log->singleEnabled; }},
    {300, 349, [](Log* log, int offset, int code) { log->calls.push_back({2, offset, code}); },
     [](Log* log, int offset) { return offset != log->disabledOffset; },
     [](Log* log, int offset) { return offset == log->tickedOffset; }},
    {350, 350, [](Log* log, int offset, int code) { log->calls.push_back({3, offset, code}); }},
};
constexpr CommandTable<Log*> kTable(kEntries);
static_assert(kTable.WellFormed());

TEST(CommandTable, UnknownIdsRunNothing) {
  Log log;
  for (int id : {0, 1, 2, 9, 11, 299, 351, 65535, -1}) {
    EXPECT_EQ(kTable.Find(id), nullptr) << id;
    EXPECT_FALSE(kTable.Run(&log, id, 0)) << id;
    EXPECT_FALSE(kTable.Enabled(&log, id)) << id;
    EXPECT_FALSE(kTable.Ticked(&log, id)) << id;
  }
  EXPECT_TRUE(log.calls.empty());
}

TEST(CommandTable, EachIdReachesItsHandlerWithItsOffsetAndCode) {
  struct Case {
    int id;
    int code;
    int handler;
    int offset;
  };
  const Case cases[] = {
      {10, 256, 1, 0},  // a control notification keeps its code
      {300, 0, 2, 0},   // first of the range
      {301, 0, 2, 1},
      {348, 0, 2, 48},
      {349, 7, 2, 49},  // last of the range
      {350, 0, 3, 0},   // the single id right after the range is its own
  };
  for (const Case& c : cases) {
    Log log;
    EXPECT_TRUE(kTable.Run(&log, c.id, c.code)) << c.id;
    ASSERT_EQ(log.calls.size(), 1u) << c.id;
    EXPECT_EQ(log.calls[0].handler, c.handler) << c.id;
    EXPECT_EQ(log.calls[0].offset, c.offset) << c.id;
    EXPECT_EQ(log.calls[0].code, c.code) << c.id;
  }
}

TEST(CommandTable, DisabledCommandsDoNotRun) {
  Log log;
  log.singleEnabled = false;
  log.disabledOffset = 5;
  EXPECT_FALSE(kTable.Enabled(&log, 10));
  EXPECT_FALSE(kTable.Run(&log, 10, 0));
  // The query gets the offset: only 305 of the range is off.
  EXPECT_FALSE(kTable.Enabled(&log, 305));
  EXPECT_FALSE(kTable.Run(&log, 305, 0));
  EXPECT_TRUE(log.calls.empty());
  EXPECT_TRUE(kTable.Enabled(&log, 304));
  EXPECT_TRUE(kTable.Enabled(&log, 350));  // no query: always enabled
  EXPECT_TRUE(kTable.Run(&log, 306, 0));
  ASSERT_EQ(log.calls.size(), 1u);
  EXPECT_EQ(log.calls[0].offset, 6);
}

TEST(CommandTable, TicksFollowTheQueryAtTheOffset) {
  Log log;
  log.tickedOffset = 12;
  EXPECT_TRUE(kTable.Ticked(&log, 312));
  EXPECT_FALSE(kTable.Ticked(&log, 311));
  EXPECT_FALSE(kTable.Ticked(&log, 313));
  EXPECT_FALSE(kTable.Ticked(&log, 10));   // no query: never ticked
  EXPECT_FALSE(kTable.Ticked(&log, 350));
  EXPECT_TRUE(log.calls.empty());          // asking runs nothing
}

void Ignore(Log*, int, int) {}

TEST(CommandTable, OverlappingReversedOrHandlerlessRecordsAreIllFormed) {
  struct Case {
    Entry entries[2];
    bool wellFormed;
  };
  const Case cases[] = {
      {{{200, 215, Ignore}, {216, 216, Ignore}}, true},   // adjacent
      {{{400, 499, Ignore}, {300, 399, Ignore}}, true},   // any order
      {{{200, 215, Ignore}, {215, 215, Ignore}}, false},  // shares the last id
      {{{300, 399, Ignore}, {350, 370, Ignore}}, false},  // inside
      {{{350, 370, Ignore}, {300, 399, Ignore}}, false},  // around
      {{{262, 262, Ignore}, {262, 262, Ignore}}, false},  // the same id twice
      {{{10, 10, Ignore}, {20, 19, Ignore}}, false},      // reversed
      {{{10, 10, Ignore}, {20, 20, nullptr}}, false},     // no handler
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CommandTable<Log*>(c.entries).WellFormed(), c.wellFormed)
        << c.entries[0].first << "-" << c.entries[0].last << " and " << c.entries[1].first << "-"
        << c.entries[1].last;
  }
}

}  // namespace

}  // namespace hiyomi
