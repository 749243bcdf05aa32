// The two dialog templates as the program carries them (under Windows its
// compiled resources, natively the table generated from the same script),
// against the table they follow.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer/dialogs/resource.h"
#include "platform/Win32Api.h"
#ifndef _WIN32
#include "framework/posix/DialogTemplate.h"
#endif

namespace {

struct ControlRow {
  std::string className;
  std::string text;
  int id;
  DWORD style;
  int x, y, cx, cy;
};

struct TemplateRow {
  UINT id;
  std::string caption;
  DWORD style;
  std::string fontName;
  int pointSize;
  int cx, cy;
  std::vector<ControlRow> controls;
};

// winuser.h values, spelled out so that the table stands on its own.
constexpr DWORD kChild = 0x40000000;
constexpr DWORD kVisible = 0x10000000;
constexpr DWORD kBorder = 0x00800000;
constexpr DWORD kGroup = 0x00020000;
constexpr DWORD kTabStop = 0x00010000;
constexpr DWORD kDialogStyle = 0x80000000 /* WS_POPUP */ | 0x00C00000 /* WS_CAPTION */ |
                               0x00080000 /* WS_SYSMENU */ | 0x80 /* DS_MODALFRAME */ |
                               0x40 /* DS_SETFONT */;
constexpr DWORD kText = kChild | kVisible | kGroup;                     // SS_LEFT
constexpr DWORD kEdit = kChild | kVisible | kBorder | kTabStop | 0x80;  // ES_AUTOHSCROLL
constexpr DWORD kButton = kChild | kVisible | kTabStop;                 // BS_PUSHBUTTON
constexpr DWORD kDefaultButton = kChild | kVisible | kTabStop | 0x01;   // BS_DEFPUSHBUTTON

const std::vector<TemplateRow>& Expected() {
  static const std::vector<TemplateRow> rows = {
      {129,
       "Enter Path",
       kDialogStyle,
       "MS Sans Serif",
       8,
       186,
       66,
       {
           {"Static", "Enter the path for your Bookmark.htm file", -1, kText, 7, 7, 129, 8},
           {"Edit", "", 1000, kEdit, 7, 24, 153, 14},
           {"Button", "...", 1001, kButton, 163, 24, 16, 14},
           {"Button", "OK", 1, kDefaultButton, 67, 45, 50, 14},
       }},
      {130,
       "Enter Path",
       kDialogStyle,
       "MS Sans Serif",
       8,
       186,
       63,
       {
           {"Button", "OK", 1, kDefaultButton, 67, 42, 50, 14},
           {"Static", "Enter the path to Quillary", -1, kText, 7, 7, 87, 8},
           {"Edit", "", 1000, kEdit, 7, 22, 151, 14},
           {"Button", "...", 1001, kButton, 163, 22, 16, 14},
       }},
  };
  return rows;
}

#ifdef _WIN32
// A DLGTEMPLATE resource read back: header, menu, class, title, font, then
// the items, each on a DWORD boundary.
class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* start) : start_(start), p_(start) {}
  DWORD Dword() {
    DWORD value = *reinterpret_cast<const DWORD*>(p_);
    p_ += 4;
    return value;
  }
  WORD Word() {
    WORD value = *reinterpret_cast<const WORD*>(p_);
    p_ += 2;
    return value;
  }
  short Short() { return static_cast<short>(Word()); }
  // A string, or an ordinal (0xFFFF, number) given as "#number".
  std::string NameOrOrdinal() {
    if (*reinterpret_cast<const WORD*>(p_) == 0xFFFF) {
      p_ += 2;
      return "#" + std::to_string(Word());
    }
    std::string text;
    for (WORD c = Word(); c != 0; c = Word()) text.push_back(static_cast<char>(c));
    return text;
  }
  void Align() {
    while ((p_ - start_) % 4 != 0) ++p_;
  }

 private:
  const BYTE* start_;
  const BYTE* p_;
};

std::string ClassOf(const std::string& name) {
  if (name == "#128") return "Button";
  if (name == "#129") return "Edit";
  if (name == "#130") return "Static";
  return name;
}

bool ReadTemplate(UINT id, TemplateRow* row) {
  HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
  HGLOBAL loaded = found != nullptr ? ::LoadResource(nullptr, found) : nullptr;
  if (loaded == nullptr) return false;
  TemplateReader in(static_cast<const BYTE*>(::LockResource(loaded)));
  row->id = id;
  row->style = in.Dword();
  in.Dword();  // extended style
  WORD count = in.Word();
  in.Short();
  in.Short();
  row->cx = in.Short();
  row->cy = in.Short();
  in.NameOrOrdinal();  // menu
  in.NameOrOrdinal();  // class
  row->caption = in.NameOrOrdinal();
  if (row->style & 0x40) {
    row->pointSize = in.Word();
    row->fontName = in.NameOrOrdinal();
  }
  for (WORD i = 0; i < count; ++i) {
    in.Align();
    ControlRow control;
    control.style = in.Dword();
    in.Dword();
    control.x = in.Short();
    control.y = in.Short();
    control.cx = in.Short();
    control.cy = in.Short();
    control.id = in.Short();
    control.className = ClassOf(in.NameOrOrdinal());
    control.text = in.NameOrOrdinal();
    WORD extra = in.Word();
    for (WORD b = 0; b < extra; b += 2) in.Word();
    row->controls.push_back(control);
  }
  return true;
}
#else
bool ReadTemplate(UINT id, TemplateRow* row) {
  const posix_dialogs::DialogTemplate* found = posix_dialogs::FindDialogTemplate(id);
  if (found == nullptr) return false;
  *row = TemplateRow{found->id,        found->caption, found->style, found->fontName,
                     found->pointSize, found->cx,      found->cy,    {}};
  for (int i = 0; i < found->controlCount; ++i) {
    const posix_dialogs::DialogControl& c = found->controls[i];
    row->controls.push_back(ControlRow{c.className, c.text, c.id, c.style, c.x, c.y, c.cx, c.cy});
  }
  return true;
}
#endif

TEST(DialogTemplateTest, TemplatesAreAsTheTableGivesThem) {
  EXPECT_EQ(IDD_BOOKMARK_PATH, 129);
  EXPECT_EQ(IDD_PRODUCT_PATH, 130);
  for (const TemplateRow& expected : Expected()) {
    SCOPED_TRACE("template " + std::to_string(expected.id));
    TemplateRow actual;
    ASSERT_TRUE(ReadTemplate(expected.id, &actual));
    EXPECT_EQ(actual.caption, expected.caption);
    EXPECT_EQ(actual.style, expected.style);
    EXPECT_EQ(actual.fontName, expected.fontName);
    EXPECT_EQ(actual.pointSize, expected.pointSize);
    EXPECT_EQ(actual.cx, expected.cx);
    EXPECT_EQ(actual.cy, expected.cy);
    ASSERT_EQ(actual.controls.size(), expected.controls.size());
    for (size_t i = 0; i < expected.controls.size(); ++i) {
      SCOPED_TRACE("control " + std::to_string(i));
      const ControlRow& want = expected.controls[i];
      const ControlRow& got = actual.controls[i];
      EXPECT_EQ(got.className, want.className);
      EXPECT_EQ(got.text, want.text);
      EXPECT_EQ(got.id, want.id);
      EXPECT_EQ(got.style, want.style);
      EXPECT_EQ(got.x, want.x);
      EXPECT_EQ(got.y, want.y);
      EXPECT_EQ(got.cx, want.cx);
      EXPECT_EQ(got.cy, want.cy);
    }
  }
}

}  // namespace
