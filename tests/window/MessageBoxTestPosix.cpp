// The message box on POSIX: its text as one line on standard error.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "framework/Framework.h"

namespace {

TEST(MessageBox, WritesTheStringAsOneLineAndAnswersOk) {
  struct Row {
    const char* name;
    UINT id;
    UINT type;
    int answer;
    const char* line;
  };
  const Row rows[] = {
      {"the launcher's message", 3, MB_ICONEXCLAMATION, IDOK,
       "This program requires Netscape to be running\n"},
      {"a tab stays, one line", 10, MB_OK, IDOK, "Quotes \"here\" and a\ttab\n"},
      {"unknown id: an empty box", 999, MB_OK, IDOK, "\n"},
      {"yes/no: the first button", 2, MB_YESNO, IDYES, " - Netscape\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    testing::internal::CaptureStderr();
    int answer = AfxMessageBox(row.id, row.type);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), row.line);
    EXPECT_EQ(answer, row.answer);
  }
}

TEST(MessageBox, ProgramWithItsOwnStringTableShowsIt) {
  std::string command = std::string("'") + QC_SHOW_MESSAGE_BOX + "' 2>&1";
  std::FILE* program = popen(command.c_str(), "r");
  ASSERT_NE(program, nullptr);
  std::string output;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, program) != nullptr) {
    output += buffer;
  }
  int status = pclose(program);
  EXPECT_EQ(output, "This program requires Netscape to be running\n");
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), IDOK);
}

}  // namespace
