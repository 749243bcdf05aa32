#include <gtest/gtest.h>

#include "framework/WinApp.h"
#include "launcher/LauncherApp.h"

namespace {

struct ModeRow {
  const char* commandLine;  // as the process received it, program name included
  BOOL mode;
};

TEST(LaunchMode, TheSecondCharacterOfTheArgumentsDecides) {
  const ModeRow rows[] = {
      {"snaplet.exe x1", TRUE},   {"snaplet.exe /1", TRUE},   {"snaplet.exe 11x", TRUE},
      {"snaplet.exe   x1", TRUE}, {"snaplet.exe \tx1", TRUE}, {"snaplet.exe 1", FALSE},
      {"snaplet.exe 10", FALSE},  {"snaplet.exe", FALSE},     {"snaplet.exe x2", FALSE},
  };
  for (const ModeRow& row : rows) {
    EXPECT_EQ(LaunchModeFromCommandLine(AfxSkipProgramName(row.commandLine)), row.mode)
        << row.commandLine;
  }
  EXPECT_FALSE(LaunchModeFromCommandLine(nullptr));
}

}  // namespace
