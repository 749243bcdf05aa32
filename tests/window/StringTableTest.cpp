// The program's string table through LoadStringA: the same texts from the
// same .rc file on both targets.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/Framework.h"

namespace {

TEST(StringTable, GivesEachStringOfTheResourceScript) {
  struct Row {
    UINT id;
    const char* text;
  };
  const Row rows[] = {
      {2, " - Netscape"},
      {3, "This program requires Netscape to be running"},
      {10, "Quotes \"here\" and a\ttab"},
      {32, "Hex id"},
      {40, "Named id"},
      {41, "Back\\slash"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    char text[128];
    EXPECT_EQ(::LoadStringA(AfxGetInstanceHandle(), row.id, text, sizeof text),
              static_cast<int>(std::strlen(row.text)));
    EXPECT_STREQ(text, row.text);
  }
}

TEST(StringTable, CutsToTheBufferAndKnowsNothingElse) {
  char text[5] = "xxxx";
  EXPECT_EQ(::LoadStringA(AfxGetInstanceHandle(), 3, text, sizeof text), 4);
  EXPECT_STREQ(text, "This");
  EXPECT_EQ(::LoadStringA(AfxGetInstanceHandle(), 999, text, sizeof text), 0);
  EXPECT_EQ(::LoadStringA(AfxGetInstanceHandle(), 1, text, sizeof text), 0);
}

}  // namespace
