// Reading dialogs from a resource script for the POSIX build: the defaults
// the resource compiler gives each statement, style expressions, names from
// headers, and scripts it must refuse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/posix/rc/RcDialogs.h"

namespace {

using rc_dialogs::Dialog;

std::vector<Dialog> Parse(const std::string& script, std::string* error = nullptr) {
  std::vector<Dialog> dialogs;
  std::string message;
  bool parsed = rc_dialogs::ParseDialogs(script, INSTALLER_SOURCE_DIR, &dialogs, &message);
  if (error != nullptr) *error = parsed ? "" : message;
  return dialogs;
}

std::string Repeated(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

std::string OneControl(const std::string& statement) {
  return "1 DIALOG 0, 0, 10, 10\nBEGIN\n" + statement + "\nEND\n";
}

TEST(RcDialogsTest, ControlStatementsGetCompilerDefaults) {
  struct Row {
    const char* statement;
    const char* className;
    unsigned long style;
    unsigned long exStyle;
  } rows[] = {
      {"LTEXT \"a\", -1, 1, 2, 3, 4", "Static", 0x50020000, 0},
      {"CTEXT \"a\", -1, 1, 2, 3, 4", "Static", 0x50020001, 0},
      {"RTEXT \"a\", -1, 1, 2, 3, 4", "Static", 0x50020002, 0},
      {"EDITTEXT 5, 1, 2, 3, 4", "Edit", 0x50810000, 0},
      {"EDITTEXT 5, 1, 2, 3, 4, ES_AUTOHSCROLL | ES_READONLY", "Edit", 0x50810880, 0},
      {"EDITTEXT 5, 1, 2, 3, 4, ES_AUTOHSCROLL | NOT WS_BORDER", "Edit", 0x50010080, 0},
      {"EDITTEXT 5, 1, 2, 3, 4, 0, WS_EX_CLIENTEDGE", "Edit", 0x50810000, 0x200},
      {"PUSHBUTTON \"a\", 5, 1, 2, 3, 4", "Button", 0x50010000, 0},
      {"DEFPUSHBUTTON \"a\", 5, 1, 2, 3, 4, NOT WS_TABSTOP", "Button", 0x50000001, 0},
      {"CONTROL \"a\", 5, \"Button\", BS_AUTOCHECKBOX | WS_TABSTOP, 1, 2, 3, 4", "Button",
       0x50010003, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.statement);
    std::string error;
    std::vector<Dialog> dialogs = Parse(OneControl(row.statement), &error);
    ASSERT_EQ(error, "");
    ASSERT_EQ(dialogs.size(), 1u);
    ASSERT_EQ(dialogs[0].controls.size(), 1u);
    const rc_dialogs::Control& control = dialogs[0].controls[0];
    EXPECT_EQ(control.className, row.className);
    EXPECT_EQ(control.style, row.style);
    EXPECT_EQ(control.exStyle, row.exStyle);
    EXPECT_EQ(control.x, 1);
    EXPECT_EQ(control.cy, 4);
  }
}

TEST(RcDialogsTest, DialogStyleCaptionAndFont) {
  struct Row {
    const char* label;
    const char* statements;
    unsigned long style;
  } rows[] = {
      {"no statements", "", 0x80880000},  // WS_POPUP | WS_BORDER | WS_SYSMENU
      {"style only", "STYLE WS_POPUP", 0x80000000},
      {"caption adds WS_CAPTION", "STYLE WS_POPUP\nCAPTION \"x\"", 0x80C00000},
      {"font adds DS_SETFONT", "STYLE WS_POPUP\nFONT 8, \"MS Sans Serif\"", 0x80000040},
      {"parentheses and plus", "STYLE (WS_POPUP + WS_SYSMENU) | DS_MODALFRAME", 0x80080080},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::string error;
    std::vector<Dialog> dialogs = Parse(
        std::string("7 DIALOG DISCARDABLE 1, 2, 30, 40\n") + row.statements + "\nBEGIN\nEND\n",
        &error);
    ASSERT_EQ(error, "");
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].id, 7u);
    EXPECT_EQ(dialogs[0].style, row.style);
    EXPECT_EQ(dialogs[0].cx, 30);
  }
}

TEST(RcDialogsTest, NamesFromOwnHeaderAndOtherResourcesSkipped) {
  std::string error;
  std::vector<Dialog> dialogs = Parse(
      "#include <windows.h>\n#include \"resource.h\"\n"
      "STRINGTABLE\nBEGIN\n 1 \"DIALOG\"\nEND\n"
      "IDD_PRODUCT_PATH DIALOGEX 0, 0, 10, 10, 0\nCAPTION \"c\"\nFONT 8, \"f\", 400, 0, 1\n"
      "BEGIN\n PUSHBUTTON \"...\", IDC_BROWSE, 1, 1, 1, 1\n LTEXT \"\"\"q\"\"\", IDC_STATIC, 1, 1, "
      "1, 1\nEND\n",
      &error);
  ASSERT_EQ(error, "");
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].id, 130u);
  EXPECT_EQ(dialogs[0].fontName, "f");
  ASSERT_EQ(dialogs[0].controls.size(), 2u);
  EXPECT_EQ(dialogs[0].controls[0].id, 1001);
  EXPECT_EQ(dialogs[0].controls[1].id, -1);
  EXPECT_EQ(dialogs[0].controls[1].text, "\"q\"");
}

TEST(RcDialogsTest, RefusesWhatItCannotShowFaithfully) {
  struct Row {
    const char* label;
    std::string script;
    const char* message;  // part of the error
  } rows[] = {
      {"unknown control", OneControl("LISTBOX 5, 1, 2, 3, 4"), "unknown control statement"},
      {"unknown name", OneControl("EDITTEXT NO_SUCH_ID, 1, 2, 3, 4"), "known name"},
      {"missing comma", OneControl("EDITTEXT 5 1, 2, 3, 4"), "expected ','"},
      {"no END", "1 DIALOG 0, 0, 1, 1\nBEGIN\n", "without END"},
      {"named dialog", "\"NAME\" DIALOG 0, 0, 1, 1\nBEGIN\nEND\n", "numeric id"},
      {"same id twice", "1 DIALOG 0,0,1,1\nBEGIN\nEND\n1 DIALOG 0,0,1,1\nBEGIN\nEND\n", "twice"},
      {"missing header", "#include \"no-such.h\"\n", "cannot read"},
      {"unterminated string", OneControl("LTEXT \"a, -1, 1, 2, 3, 4"), "unterminated"},
      // However deep a script nests, the reader's stack does not run out.
      {"parentheses nested deeply",
       OneControl("EDITTEXT " + std::string(100000, '(') + "5, 1, 2, 3, 4"), "too deeply"},
      {"NOT after NOT", OneControl("EDITTEXT 5, 1, 2, 3, 4, " + Repeated("NOT ", 100000) + "1"),
       "too deeply"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::string error;
    Parse(row.script, &error);
    EXPECT_NE(error.find(row.message), std::string::npos) << error;
  }
}

TEST(RcDialogsTest, GeneratedSourceKeepsTextsExact) {
  std::vector<Dialog> dialogs = Parse(OneControl("LTEXT \"a\\\\b \"\"c\"\" ?\", -1, 1, 2, 3, 4"));
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].controls[0].text, "a\\b \"c\" ?");
  std::string source = rc_dialogs::GenerateSource(dialogs, "x.rc");
  // Quote, backslash and '?' (trigraphs) go out as octal escapes.
  EXPECT_NE(source.find("\"a\\134b \\042c\\042 \\077\""), std::string::npos) << source;
}

}  // namespace
