#include "framework/posix/rc/RcDialogs.h"

#include <cstdio>
#include <set>

#include "framework/posix/rc/RcScript.h"

namespace rc_dialogs {

namespace {

using rc_script::IsBegin;
using rc_script::IsEnd;
using rc_script::IsMemoryFlag;
using rc_script::IsPunct;
using rc_script::IsWord;
using rc_script::Kind;
using rc_script::Names;
using rc_script::Token;

// The winuser.h names a dialog script uses.
const Names& StandardNames() {
  static const Names names = {
      {"WS_OVERLAPPED", 0x00000000L},
      {"WS_POPUP", 0x80000000L},
      {"WS_CHILD", 0x40000000L},
      {"WS_MINIMIZE", 0x20000000L},
      {"WS_VISIBLE", 0x10000000L},
      {"WS_DISABLED", 0x08000000L},
      {"WS_CLIPSIBLINGS", 0x04000000L},
      {"WS_CLIPCHILDREN", 0x02000000L},
      {"WS_MAXIMIZE", 0x01000000L},
      {"WS_CAPTION", 0x00C00000L},
      {"WS_BORDER", 0x00800000L},
      {"WS_DLGFRAME", 0x00400000L},
      {"WS_VSCROLL", 0x00200000L},
      {"WS_HSCROLL", 0x00100000L},
      {"WS_SYSMENU", 0x00080000L},
      {"WS_THICKFRAME", 0x00040000L},
      {"WS_GROUP", 0x00020000L},
      {"WS_TABSTOP", 0x00010000L},
      {"WS_MINIMIZEBOX", 0x00020000L},
      {"WS_MAXIMIZEBOX", 0x00010000L},
      {"WS_EX_DLGMODALFRAME", 0x1L},
      {"WS_EX_TOPMOST", 0x8L},
      {"WS_EX_TOOLWINDOW", 0x80L},
      {"WS_EX_WINDOWEDGE", 0x100L},
      {"WS_EX_CLIENTEDGE", 0x200L},
      {"WS_EX_CONTROLPARENT", 0x10000L},
      {"WS_EX_STATICEDGE", 0x20000L},
      {"DS_ABSALIGN", 0x01L},
      {"DS_SYSMODAL", 0x02L},
      {"DS_3DLOOK", 0x04L},
      {"DS_FIXEDSYS", 0x08L},
      {"DS_NOFAILCREATE", 0x10L},
      {"DS_LOCALEDIT", 0x20L},
      {"DS_SETFONT", 0x40L},
      {"DS_MODALFRAME", 0x80L},
      {"DS_NOIDLEMSG", 0x100L},
      {"DS_SETFOREGROUND", 0x200L},
      {"DS_CONTROL", 0x400L},
      {"DS_CENTER", 0x800L},
      {"DS_CENTERMOUSE", 0x1000L},
      {"DS_CONTEXTHELP", 0x2000L},
      {"DS_SHELLFONT", 0x48L},
      {"ES_LEFT", 0x0L},
      {"ES_CENTER", 0x1L},
      {"ES_RIGHT", 0x2L},
      {"ES_MULTILINE", 0x4L},
      {"ES_UPPERCASE", 0x8L},
      {"ES_LOWERCASE", 0x10L},
      {"ES_PASSWORD", 0x20L},
      {"ES_AUTOVSCROLL", 0x40L},
      {"ES_AUTOHSCROLL", 0x80L},
      {"ES_NOHIDESEL", 0x100L},
      {"ES_OEMCONVERT", 0x400L},
      {"ES_READONLY", 0x800L},
      {"ES_WANTRETURN", 0x1000L},
      {"ES_NUMBER", 0x2000L},
      {"BS_PUSHBUTTON", 0x0L},
      {"BS_DEFPUSHBUTTON", 0x1L},
      {"BS_CHECKBOX", 0x2L},
      {"BS_AUTOCHECKBOX", 0x3L},
      {"BS_RADIOBUTTON", 0x4L},
      {"BS_GROUPBOX", 0x7L},
      {"BS_AUTORADIOBUTTON", 0x9L},
      {"SS_LEFT", 0x0L},
      {"SS_CENTER", 0x1L},
      {"SS_RIGHT", 0x2L},
      {"SS_NOPREFIX", 0x80L},
      {"IDOK", 1},
      {"IDCANCEL", 2},
      {"IDABORT", 3},
      {"IDRETRY", 4},
      {"IDIGNORE", 5},
      {"IDYES", 6},
      {"IDNO", 7},
      {"IDC_STATIC", -1},
  };
  return names;
}

// A style expression: bits to set and bits that NOT clears.
struct Bits {
  unsigned long set = 0;
  unsigned long cleared = 0;
};

// Controls: statement, class, default style (WS_CHILD | WS_VISIBLE added), has text.
struct ControlKind {
  const char* statement;
  const char* className;
  unsigned long style;
  bool hasText;
};
const ControlKind kControlKinds[] = {
    {"LTEXT", "Static", 0x00020000UL /* SS_LEFT | WS_GROUP */, true},
    {"CTEXT", "Static", 0x00020001UL /* SS_CENTER | WS_GROUP */, true},
    {"RTEXT", "Static", 0x00020002UL /* SS_RIGHT | WS_GROUP */, true},
    {"EDITTEXT", "Edit", 0x00810000UL /* ES_LEFT | WS_BORDER | WS_TABSTOP */, false},
    {"PUSHBUTTON", "Button", 0x00010000UL /* BS_PUSHBUTTON | WS_TABSTOP */, true},
    {"DEFPUSHBUTTON", "Button", 0x00010001UL /* BS_DEFPUSHBUTTON | WS_TABSTOP */, true},
};
constexpr unsigned long kChildVisible = 0x50000000UL;

class Parser {
 public:
  Parser(const std::vector<Token>& tokens, const Names& names) : t_(tokens), names_(names) {}

  bool Run(std::vector<Dialog>* dialogs, std::string* error) {
    std::set<unsigned> seen;
    for (i_ = 1; i_ < t_.size(); ++i_) {
      if (!IsWord(t_[i_], "DIALOG") && !IsWord(t_[i_], "DIALOGEX")) continue;
      const Token& name = t_[i_ - 1];
      long id = 0;
      if (!(name.kind == Kind::Number || (name.kind == Kind::Word && Lookup(name.text, &id)))) {
        return Fail(name, "a dialog needs a numeric id", error);
      }
      if (name.kind == Kind::Number) id = name.number;
      rc_dialogs::Dialog dialog;
      dialog.id = static_cast<unsigned>(id);
      bool extended = IsWord(t_[i_], "DIALOGEX");
      ++i_;
      if (!ParseDialog(&dialog, extended, error)) return false;
      if (!seen.insert(dialog.id).second) {
        return Fail(t_[i_], "dialog " + std::to_string(dialog.id) + " given twice", error);
      }
      dialogs->push_back(dialog);
    }
    return true;
  }

 private:
  bool Fail(const Token& at, const std::string& what, std::string* error) {
    *error = "line " + std::to_string(at.line) + ": " + what;
    return false;
  }

  bool Lookup(const std::string& name, long* value) const {
    auto own = names_.find(name);
    if (own != names_.end()) {
      *value = own->second;
      return true;
    }
    auto standard = StandardNames().find(name);
    if (standard != StandardNames().end()) {
      *value = standard->second;
      return true;
    }
    return false;
  }

  const Token& Peek() const { return t_[i_]; }
  const Token& Take() { return t_[i_ < t_.size() - 1 ? i_++ : i_]; }

  bool Expect(const char* punct, std::string* error) {
    if (!IsPunct(Peek(), punct))
      return Fail(Peek(), std::string("expected '") + punct + "'", error);
    Take();
    return true;
  }

  // Nesting is bounded, so that no script can exhaust the stack.
  bool Primary(Bits* bits, bool negate, std::string* error) {
    if (depth_ >= kMaxNesting) return Fail(Peek(), "expression nested too deeply", error);
    ++depth_;
    bool read = Operand(bits, negate, error);
    --depth_;
    return read;
  }

  bool Operand(Bits* bits, bool negate, std::string* error) {
    const Token& token = Take();
    long value = 0;
    if (IsWord(token, "NOT")) {
      return Primary(bits, !negate, error);
    }
    if (IsPunct(token, "(")) {
      Bits inner;
      if (!Expression(&inner, error) || !Expect(")", error)) return false;
      value = static_cast<long>(inner.set & ~inner.cleared);
    } else if (IsPunct(token, "-")) {
      Bits inner;
      if (!Primary(&inner, false, error)) return false;
      value = static_cast<long>(0UL - inner.set);  // unsigned: no value overflows
    } else if (token.kind == Kind::Number) {
      value = token.number;
    } else if (token.kind != Kind::Word || !Lookup(token.text, &value)) {
      return Fail(token, "expected a number or a known name, not '" + token.text + "'", error);
    }
    (negate ? bits->cleared : bits->set) |= static_cast<unsigned long>(value);
    return true;
  }

  bool Expression(Bits* bits, std::string* error) {
    if (!Primary(bits, false, error)) return false;
    while (IsPunct(Peek(), "|") || IsPunct(Peek(), "+")) {
      Take();
      if (!Primary(bits, false, error)) return false;
    }
    return true;
  }

  bool Number(int* number, std::string* error) {
    Bits bits;
    if (!Expression(&bits, error)) return false;
    *number = static_cast<int>(static_cast<long>(bits.set));
    return true;
  }

  // x, y, cx, cy
  bool Rectangle(int* x, int* y, int* cx, int* cy, std::string* error) {
    return Number(x, error) && Expect(",", error) && Number(y, error) && Expect(",", error) &&
           Number(cx, error) && Expect(",", error) && Number(cy, error);
  }

  bool Text(std::string* text, std::string* error) {
    if (Peek().kind != Kind::String) return Fail(Peek(), "expected a string", error);
    *text = Take().text;
    return true;
  }

  bool ParseDialog(rc_dialogs::Dialog* dialog, bool extended, std::string* error) {
    while (IsMemoryFlag(Peek())) Take();
    if (!Rectangle(&dialog->x, &dialog->y, &dialog->cx, &dialog->cy, error)) return false;
    int helpId = 0;
    if (extended && IsPunct(Peek(), ",")) {
      Take();
      if (!Number(&helpId, error)) return false;
    }
    Bits style;
    bool styled = false;
    Bits exStyle;
    dialog->pointSize = 0;
    while (!IsBegin(Peek())) {
      const Token& statement = Take();
      int ignored = 0;
      if (IsWord(statement, "STYLE")) {
        styled = true;
        if (!Expression(&style, error)) return false;
      } else if (IsWord(statement, "EXSTYLE")) {
        if (!Expression(&exStyle, error)) return false;
      } else if (IsWord(statement, "CAPTION")) {
        if (!Text(&dialog->caption, error)) return false;
        style.set |= 0x00C00000UL;  // WS_CAPTION
      } else if (IsWord(statement, "FONT")) {
        if (!Number(&dialog->pointSize, error) || !Expect(",", error) ||
            !Text(&dialog->fontName, error))
          return false;
        while (IsPunct(Peek(), ",")) {  // DIALOGEX: weight, italic, character set
          Take();
          if (!Number(&ignored, error)) return false;
        }
        style.set |= 0x40UL;  // DS_SETFONT
      } else if (IsWord(statement, "LANGUAGE")) {
        if (!Number(&ignored, error) || !Expect(",", error) || !Number(&ignored, error))
          return false;
      } else if (IsWord(statement, "VERSION") || IsWord(statement, "CHARACTERISTICS")) {
        if (!Number(&ignored, error)) return false;
      } else {
        return Fail(statement, "unknown dialog statement '" + statement.text + "'", error);
      }
    }
    // Without STYLE a dialog is a bordered pop-up with a system menu.
    unsigned long base = styled ? 0 : 0x80880000UL;
    dialog->style = (base | style.set) & ~style.cleared;
    dialog->exStyle = exStyle.set & ~exStyle.cleared;
    Take();  // BEGIN
    while (!IsEnd(Peek())) {
      if (Peek().kind == Kind::End) return Fail(Peek(), "dialog without END", error);
      rc_dialogs::Control control;
      if (!ParseControl(&control, error)) return false;
      dialog->controls.push_back(control);
    }
    return true;
  }

  // [, style [, exstyle]] after a control's rectangle, over its default style.
  bool Styles(unsigned long base, rc_dialogs::Control* control, std::string* error) {
    Bits style;
    Bits exStyle;
    if (IsPunct(Peek(), ",")) {
      Take();
      if (!Expression(&style, error)) return false;
      if (IsPunct(Peek(), ",")) {
        Take();
        if (!Expression(&exStyle, error)) return false;
      }
    }
    control->style = (base | kChildVisible | style.set) & ~style.cleared;
    control->exStyle = exStyle.set & ~exStyle.cleared;
    return true;
  }

  bool ParseControl(rc_dialogs::Control* control, std::string* error) {
    const Token& statement = Take();
    if (IsWord(statement, "CONTROL")) {
      // CONTROL text, id, class, style, x, y, cx, cy [, exstyle]
      Bits style;
      Bits exStyle;
      if (!Text(&control->text, error) || !Expect(",", error) || !Number(&control->id, error) ||
          !Expect(",", error))
        return false;
      if (Peek().kind == Kind::String || Peek().kind == Kind::Word) {
        control->className = Take().text;
      } else {
        return Fail(Peek(), "expected a class name", error);
      }
      if (!Expect(",", error) || !Expression(&style, error) || !Expect(",", error) ||
          !Rectangle(&control->x, &control->y, &control->cx, &control->cy, error))
        return false;
      if (IsPunct(Peek(), ",")) {
        Take();
        if (!Expression(&exStyle, error)) return false;
      }
      control->style = (kChildVisible | style.set) & ~style.cleared;
      control->exStyle = exStyle.set & ~exStyle.cleared;
      return true;
    }
    for (const ControlKind& kind : kControlKinds) {
      if (!IsWord(statement, kind.statement)) continue;
      control->className = kind.className;
      if (kind.hasText && (!Text(&control->text, error) || !Expect(",", error))) return false;
      return Number(&control->id, error) && Expect(",", error) &&
             Rectangle(&control->x, &control->y, &control->cx, &control->cy, error) &&
             Styles(kind.style, control, error);
    }
    return Fail(statement, "unknown control statement '" + statement.text + "'", error);
  }

  static constexpr int kMaxNesting = 64;

  const std::vector<Token>& t_;
  const Names& names_;
  size_t i_ = 0;
  int depth_ = 0;
};

std::string Hex(unsigned long value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lXu", value & 0xFFFFFFFFUL);
  return text;
}

}  // namespace

bool ParseDialogs(const std::string& script, const std::string& headerDirectory,
                  std::vector<Dialog>* dialogs, std::string* error) {
  Names names;
  std::vector<Token> tokens;
  if (!rc_script::Tokenize(script, headerDirectory, &names, &tokens, error)) return false;
  Parser parser(tokens, names);
  return parser.Run(dialogs, error);
}

std::string GenerateSource(const std::vector<Dialog>& dialogs, const std::string& origin) {
  std::string out = "// Generated from " + origin + "; edit that file instead.\n";
  out += "#include \"framework/posix/DialogTemplate.h\"\n\nnamespace {\n\n";
  if (dialogs.empty()) {
    out += "const posix_dialogs::DialogTemplateRegistration kRegistration(nullptr, 0);\n";
    return out + "\n}  // namespace\n";
  }
  for (const Dialog& dialog : dialogs) {
    if (dialog.controls.empty()) continue;
    out += "const posix_dialogs::DialogControl kControls" + std::to_string(dialog.id) + "[] = {\n";
    for (const Control& control : dialog.controls) {
      out += "    {" + rc_script::CppLiteral(control.className) + ", " + rc_script::CppLiteral(control.text) + ", " +
             std::to_string(control.id) + ", " + Hex(control.style) + ", " + Hex(control.exStyle) +
             ", " + std::to_string(control.x) + ", " + std::to_string(control.y) + ", " +
             std::to_string(control.cx) + ", " + std::to_string(control.cy) + "},\n";
    }
    out += "};\n\n";
  }
  out += "const posix_dialogs::DialogTemplate kTemplates[] = {\n";
  for (const Dialog& dialog : dialogs) {
    std::string controls =
        dialog.controls.empty() ? "nullptr" : "kControls" + std::to_string(dialog.id);
    out += "    {" + std::to_string(dialog.id) + "u, " + rc_script::CppLiteral(dialog.caption) + ", " +
           Hex(dialog.style) + ", " + Hex(dialog.exStyle) + ", " + std::to_string(dialog.x) + ", " +
           std::to_string(dialog.y) + ", " + std::to_string(dialog.cx) + ", " +
           std::to_string(dialog.cy) + ", " + rc_script::CppLiteral(dialog.fontName) + ", " +
           std::to_string(dialog.pointSize) + ", " + controls + ", " +
           std::to_string(dialog.controls.size()) + "},\n";
  }
  out += "};\n\nconst posix_dialogs::DialogTemplateRegistration kRegistration(kTemplates, " +
         std::to_string(dialogs.size()) + ");\n";
  return out + "\n}  // namespace\n";
}

}  // namespace rc_dialogs
