// Reading REGEDIT4 texts into the stand-in's hive.
#include <gtest/gtest.h>

#include <string>

#include "platform/posix/RegistryHive.h"

namespace {

using registry::Hive;

// A stored text: its characters and the NUL.
std::string Sz(const std::string& text) { return text + '\0'; }

const std::string kHead = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Q]\n";

// Each text holds the value in HKEY_LOCAL_MACHINE\Software\Q.
struct ReadRow {
  const char* label;
  std::string text;
  const char* value;
  DWORD type;
  std::string data;
};

TEST(RegistryHiveTest, ReadsValuesAsRegeditWritesThem) {
  const ReadRow rows[] = {
      {"escaped text", kHead + R"("Base Path"="C:\\Q \"x\"")", "base path", REG_SZ,
       Sz("C:\\Q \"x\"")},
      {"other backslash kept", kHead + R"("P"="a\nb")", "P", REG_SZ, Sz("a\\nb")},
      {"escaped name", kHead + R"("a\"b\\c"="v")", "a\"b\\c", REG_SZ, Sz("v")},
      {"default value", kHead + "@=\"d\"", "", REG_SZ, Sz("d")},
      {"dword", kHead + "\"N\"=dword:0000002a", "N", REG_DWORD, std::string("\x2a\0\0\0", 4)},
      {"binary", kHead + "\"B\"=hex:00,ff", "B", REG_BINARY, std::string("\0\xff", 2)},
      {"typed hex over two lines", kHead + "\"E\"=hex(2):61,\\\n  62,00", "E", REG_EXPAND_SZ,
       Sz("ab")},
      {"empty hex", kHead + "\"Z\"=hex(1):", "Z", REG_SZ, ""},
      {"CR LF, comment, names in other case",
       "REGEDIT4\r\n; note\r\n\r\n[hkey_local_machine\\SOFTWARE\\q]\r\n\"V\"=\"w\"\r\n", "v",
       REG_SZ, Sz("w")},
      {"later line wins", kHead + "\"V\"=\"1\"\n\"v\"=\"2\"", "V", REG_SZ, Sz("2")},
      {"section given twice", kHead + "\"V\"=\"1\"\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\q]\n\"W\"=\"2\"",
       "V", REG_SZ, Sz("1")},
  };
  for (const ReadRow& row : rows) {
    SCOPED_TRACE(row.label);
    Hive hive;
    ASSERT_TRUE(registry::ParseHive(row.text + "\n", &hive));
    registry::Key* key = registry::FindKey(hive, registry::kLocalMachine, {"Software", "Q"});
    ASSERT_NE(key, nullptr);
    const registry::Value* value = registry::FindValue(*key, row.value);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->type, row.type);
    EXPECT_EQ(value->data, row.data);
  }
}

TEST(RegistryHiveTest, RefusesWhatItCannotReadWhole) {
  struct Row {
    const char* label;
    std::string text;
  } rows[] = {
      {"no header", "[HKEY_LOCAL_MACHINE\\A]\n"},
      {"other header", "Windows Registry Editor Version 5.00\n"},
      {"value before a section", "REGEDIT4\n\"V\"=\"w\"\n"},
      {"unknown root", "REGEDIT4\n[HKEY_NOWHERE\\A]\n"},
      {"deletion", "REGEDIT4\n[-HKEY_LOCAL_MACHINE\\A]\n"},
      {"empty key name", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\\\\B]\n"},
      {"unclosed section", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\n"},
      {"unclosed text", kHead + "\"V\"=\"w\n"},
      {"text and more", kHead + "\"V\"=\"w\" x\n"},
      {"no equals sign", kHead + "\"V\" \"w\"\n"},
      {"value deletion", kHead + "\"V\"=-\n"},
      {"bad hex", kHead + "\"V\"=hex:6g\n"},
      {"dangling comma", kHead + "\"V\"=hex:61,\n"},
      {"dword too long", kHead + "\"V\"=dword:123456789\n"},
      {"stray line", kHead + "V=1\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Hive hive;
    EXPECT_FALSE(registry::ParseHive(row.text, &hive));
  }
}

TEST(RegistryHiveTest, WrittenTextReadsBackToTheSameBytes) {
  Hive hive;
  registry::Key& root = hive.roots[registry::kCurrentUser];
  root.subKeys.push_back(registry::Key());
  registry::Key& key = root.subKeys.back();
  key.name = "K";
  const registry::Value values[] = {
      {"plain", REG_SZ, std::string("a\\\"b\0", 5)},
      {"", REG_SZ, std::string("default\0", 8)},
      {"no NUL", REG_SZ, "abc"},
      {"line break", REG_SZ, std::string("a\r\nb\0", 5)},
      {"inner NUL", REG_SZ, std::string("a\0b\0", 4)},
      {"high bytes", REG_SZ, std::string("\xe9t\xe9\0", 4)},
      {"dword", REG_DWORD, std::string("\x01\x02\x03\x04", 4)},
      {"short dword", REG_DWORD, std::string("\x01", 1)},
      {"multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5)},
  };
  key.values.assign(std::begin(values), std::end(values));

  Hive again;
  ASSERT_TRUE(registry::ParseHive(registry::FormatHive(hive), &again));
  registry::Key* read = registry::FindKey(again, registry::kCurrentUser, {"K"});
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->values.size(), std::size(values));
  for (size_t i = 0; i < std::size(values); ++i) {
    SCOPED_TRACE(values[i].name);
    EXPECT_EQ(read->values[i].name, values[i].name);
    EXPECT_EQ(read->values[i].type, values[i].type);
    EXPECT_EQ(read->values[i].data, values[i].data);
  }
}

}  // namespace
