#include <gtest/gtest.h>

#include "logdata/WildcardMatch.h"

namespace {

TEST(WildcardMatch, MatchesAsTheWindowsSearchDoes) {
  struct Case {
    const char* name;
    const char* pattern;
    bool matches;
  };
  const Case cases[] = {
      {"a.log", "*.log", true},
      {"A.LOG", "*.log", true},
      {"u_ex240101.Log", "U_EX*.LOG", true},
      {"a.logx", "*.log", false},
      {"a.log.bak", "*.log", false},
      {".log", "*.log", true},
      {"log", "*.log", false},
      {"README", "*.*", true},
      {"a.b.c", "*.*", true},
      {"ab.log", "a?.log", true},
      {"abc.log", "a?.log", false},
      {"a.log.log", "*.log", true},  // needs a second try after the first ".log"
      {"abcabd", "*ab?", true},
      {"x.txt", "*.log", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(logdata::WildcardMatch(c.name, c.pattern), c.matches)
        << c.name << " against " << c.pattern;
  }
}

}  // namespace
