#include "platform/posix/RegistryHive.h"

#include <cctype>
#include <cstdio>

namespace registry {

const char* const kRootNames[kRootCount] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                            "HKEY_LOCAL_MACHINE", "HKEY_USERS"};

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

Key* FindSubKey(Key& key, const std::string& name) {
  for (Key& sub : key.subKeys) {
    if (SameName(sub.name, name)) return &sub;
  }
  return nullptr;
}

Value* FindValue(Key& key, const std::string& name) {
  for (Value& value : key.values) {
    if (SameName(value.name, name)) return &value;
  }
  return nullptr;
}

Key* FindKey(Hive& hive, Root root, const std::vector<std::string>& path) {
  Key* key = &hive.roots[root];
  for (const std::string& name : path) {
    key = FindSubKey(*key, name);
    if (!key) return nullptr;
  }
  return key;
}

namespace {

std::string TrimLeft(const std::string& s) {
  size_t start = s.find_first_not_of(" \t");
  return start == std::string::npos ? std::string() : s.substr(start);
}

std::string TrimRight(const std::string& s) {
  size_t end = s.find_last_not_of(" \t");
  return end == std::string::npos ? std::string() : s.substr(0, end + 1);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

bool StartsWithNoCase(const std::string& s, const char* prefix) {
  std::string head = s.substr(0, std::char_traits<char>::length(prefix));
  return SameName(head, prefix);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A quoted text from line[pos], which holds the opening quote; pos ends after
// the closing one. Only "\\" and "\"" are escapes; any other backslash stays.
bool ReadQuoted(const std::string& line, size_t& pos, std::string* out) {
  ++pos;
  while (pos < line.size()) {
    char c = line[pos++];
    if (c == '"') return true;
    if (c == '\\' && pos < line.size() && (line[pos] == '\\' || line[pos] == '"')) c = line[pos++];
    out->push_back(c);
  }
  return false;
}

// "61,62,63": bytes of one or two hex digits, separated by commas.
bool ReadHexBytes(const std::string& text, std::string* out) {
  std::string rest = TrimLeft(TrimRight(text));
  size_t pos = 0;
  while (pos < rest.size()) {
    int value = 0, digits = 0;
    while (pos < rest.size() && digits < 2 && HexDigit(rest[pos]) >= 0) {
      value = value * 16 + HexDigit(rest[pos++]);
      ++digits;
    }
    if (digits == 0) return false;
    out->push_back(static_cast<char>(value));
    while (pos < rest.size() && (rest[pos] == ' ' || rest[pos] == '\t')) ++pos;
    if (pos == rest.size()) break;
    if (rest[pos++] != ',') return false;
    while (pos < rest.size() && (rest[pos] == ' ' || rest[pos] == '\t')) ++pos;
    if (pos == rest.size()) return false;  // a dangling comma
  }
  return true;
}

bool ReadData(const std::string& text, Value* value) {
  if (!text.empty() && text[0] == '"') {
    size_t pos = 0;
    if (!ReadQuoted(text, pos, &value->data)) return false;
    if (!TrimLeft(text.substr(pos)).empty()) return false;
    value->data.push_back('\0');
    value->type = REG_SZ;
    return true;
  }
  if (StartsWithNoCase(text, "dword:")) {
    std::string digits = TrimRight(text.substr(6));
    if (digits.empty() || digits.size() > 8) return false;
    DWORD number = 0;
    for (char c : digits) {
      if (HexDigit(c) < 0) return false;
      number = number * 16 + static_cast<DWORD>(HexDigit(c));
    }
    for (int i = 0; i < 4; ++i)
      value->data.push_back(static_cast<char>((number >> (8 * i)) & 0xFF));
    value->type = REG_DWORD;
    return true;
  }
  if (StartsWithNoCase(text, "hex:")) {
    value->type = REG_BINARY;
    return ReadHexBytes(text.substr(4), &value->data);
  }
  if (StartsWithNoCase(text, "hex(")) {
    size_t close = text.find("):");
    if (close == std::string::npos || close == 4 || close > 12) return false;
    DWORD type = 0;
    for (size_t i = 4; i < close; ++i) {
      if (HexDigit(text[i]) < 0) return false;
      type = type * 16 + static_cast<DWORD>(HexDigit(text[i]));
    }
    value->type = type;
    return ReadHexBytes(text.substr(close + 2), &value->data);
  }
  return false;
}

Key& SubKeyOrNew(Key& key, const std::string& name) {
  if (Key* sub = FindSubKey(key, name)) return *sub;
  key.subKeys.push_back(Key());
  key.subKeys.back().name = name;
  return key.subKeys.back();
}

// "[HKEY_LOCAL_MACHINE\A\B]": the key, made with every key above it.
Key* ReadSection(const std::string& line, Hive* hive) {
  if (line.size() < 2 || line.back() != ']') return nullptr;
  std::string path = line.substr(1, line.size() - 2) + "\\";
  size_t slash = path.find('\\');
  std::string rootName = path.substr(0, slash);
  Key* key = nullptr;
  for (int root = 0; root < kRootCount; ++root) {
    if (SameName(rootName, kRootNames[root])) key = &hive->roots[root];
  }
  if (!key) return nullptr;
  for (size_t start = slash + 1; start < path.size();) {
    size_t end = path.find('\\', start);
    if (end == start) return nullptr;
    key = &SubKeyOrNew(*key, path.substr(start, end - start));
    start = end + 1;
  }
  return key;
}

void SetValue(Key& key, Value value) {
  if (Value* old = FindValue(key, value.name)) {
    *old = std::move(value);
  } else {
    key.values.push_back(std::move(value));
  }
}

}  // namespace

bool ParseHive(const std::string& text, Hive* hive) {
  *hive = Hive();
  std::vector<std::string> lines = SplitLines(text);
  if (TrimRight(lines[0]) != "REGEDIT4") return false;
  Key* current = nullptr;
  for (size_t i = 1; i < lines.size(); ++i) {
    std::string line = TrimRight(TrimLeft(lines[i]));
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      current = ReadSection(line, hive);
      if (!current) return false;
      continue;
    }
    if (!current || (line[0] != '"' && line[0] != '@')) return false;
    Value value;
    size_t pos = 1;  // just after "@"
    if (line[0] == '"') {
      pos = 0;
      if (!ReadQuoted(line, pos, &value.name)) return false;
    }
    if (pos >= line.size() || line[pos] != '=') return false;
    std::string data = line.substr(pos + 1);
    // Long hex data goes on over lines that end in a backslash.
    if (StartsWithNoCase(data, "hex")) {
      while (!data.empty() && data.back() == '\\' && i + 1 < lines.size()) {
        data.pop_back();
        data += TrimRight(TrimLeft(lines[++i]));
      }
    }
    if (!ReadData(data, &value)) return false;
    SetValue(*current, std::move(value));
  }
  return true;
}

namespace {

std::string Quoted(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  return out + "\"";
}

// A quoted text keeps the bytes of a text with one NUL, at its end, and no
// line break; any other value is written in hex so that it reads back as it is.
bool KeepsAsQuoted(const Value& value) {
  return value.type == REG_SZ && !value.data.empty() &&
         value.data.find_first_of(std::string("\0\r\n", 3)) == value.data.size() - 1;
}

std::string DataText(const Value& value) {
  if (KeepsAsQuoted(value)) return Quoted(value.data.substr(0, value.data.size() - 1));
  char piece[16];
  if (value.type == REG_DWORD && value.data.size() == 4) {
    DWORD number = 0;
    for (int i = 3; i >= 0; --i) number = number * 256 + static_cast<unsigned char>(value.data[i]);
    std::snprintf(piece, sizeof piece, "dword:%08x", static_cast<unsigned>(number));
    return piece;
  }
  std::string out = "hex";
  if (value.type != REG_BINARY) {
    std::snprintf(piece, sizeof piece, "(%x)", static_cast<unsigned>(value.type));
    out += piece;
  }
  out += ":";
  for (size_t i = 0; i < value.data.size(); ++i) {
    std::snprintf(piece, sizeof piece, "%s%02x", i ? "," : "",
                  static_cast<unsigned char>(value.data[i]));
    out += piece;
  }
  return out;
}

void WriteKey(std::string& out, const std::string& path, const Key& key, bool isRoot) {
  if (!isRoot || !key.values.empty()) {
    out += "[" + path + "]\n";
    for (const Value& value : key.values) {
      out += (value.name.empty() ? std::string("@") : Quoted(value.name)) + "=" + DataText(value) +
             "\n";
    }
    out += "\n";
  }
  for (const Key& sub : key.subKeys) WriteKey(out, path + "\\" + sub.name, sub, false);
}

}  // namespace

std::string FormatHive(const Hive& hive) {
  std::string out = "REGEDIT4\n\n";
  for (int root = 0; root < kRootCount; ++root) {
    WriteKey(out, kRootNames[root], hive.roots[root], true);
  }
  return out;
}

}  // namespace registry
