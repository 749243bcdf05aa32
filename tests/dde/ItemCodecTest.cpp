// The item codec through real string and data handles (DDEML under Wine, the
// stand-in natively).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "launcher/dde/DdeLink.h"

namespace {

std::string TextOf(DdeLink& link, HSZ handle) {
  char text[512] = {};
  DdeQueryStringA(link.instanceId, handle, text, sizeof text, CP_WINANSI);
  return text;
}

HDDEDATA MakeReply(DdeLink& link, const std::string& bytes) {
  std::vector<BYTE> copy(bytes.begin(), bytes.end());
  return DdeCreateDataHandle(link.instanceId, copy.data(), static_cast<DWORD>(copy.size()), 0, 0,
                             CF_TEXT, 0);
}

HSZ MakeText(DdeLink& link, const char* text) {
  return DdeCreateStringHandleA(link.instanceId, text, CP_WINANSI);
}

struct BuildRow {
  const char* name;
  std::function<HSZ(DdeLink&)> build;
  const char* item;  // null: no item is built
};

TEST(ItemCodec, BuildsItemsFieldByField) {
  const DWORD v42 = 42, vAll = 0xFFFFFFFF, v7 = 7, v3 = 3, v1 = 1, v2 = 2;
  const SHORT on = 1, off = 0;
  const std::vector<BuildRow> rows = {
      {"decimal", [&](DdeLink& l) { return l.BuildItem("DW", &v42); }, "42"},
      {"current window", [&](DdeLink& l) { return l.BuildItem("DW", &vAll); }, "4294967295"},
      {"quoted, number, flag",
       [&](DdeLink& l) { return l.BuildItem("QCS,DW,BL", "say \"hi\"", &v7, &on); },
       "\"say \\\"hi\\\"\",7,TRUE"},
      {"plain string keeps its comma; empty quoted string",
       [&](DdeLink& l) { return l.BuildItem("CS,QCS", "a,b", ""); }, "a,b,\"\""},
      {"null leaves its field empty",
       [&](DdeLink& l) { return l.BuildItem("DW,DW", static_cast<DWORD*>(nullptr), &v3); }, ",3"},
      {"unknown code stops after the comma",
       [&](DdeLink& l) { return l.BuildItem("DW,XX,DW", &v1, &v2); }, "1,"},
      {"only a null gives no item",
       [&](DdeLink& l) { return l.BuildItem("DW", static_cast<DWORD*>(nullptr)); }, nullptr},
      {"false flag", [&](DdeLink& l) { return l.BuildItem("BL", &off); }, "FALSE"},
      {"empty format", [&](DdeLink& l) { return l.BuildItem(""); }, nullptr},
      {"prefix decides the code", [&](DdeLink& l) { return l.BuildItem("DWORD,CSTR", &v7, "x"); },
       "7,x"},
      {"quoted value ending in a backslash",
       [&](DdeLink& l) { return l.BuildItem("QCS", "dir\\"); }, "\"dir\\\""},
      {"text over 255 characters is refused by DDEML",
       [&](DdeLink& l) { return l.BuildItem("CS", std::string(256, 'x').c_str()); }, nullptr},
  };
  DdeLink link;
  ASSERT_TRUE(link.initialized);
  for (const BuildRow& row : rows) {
    SCOPED_TRACE(row.name);
    HSZ item = row.build(link);
    if (row.item == nullptr) {
      EXPECT_EQ(item, static_cast<HSZ>(0));
      continue;
    }
    ASSERT_NE(item, static_cast<HSZ>(0));
    EXPECT_EQ(TextOf(link, item), row.item);
    link.ReleaseStringHandle(item);
  }
}

struct DecodeRow {
  const char* name;
  const char* format;
  std::string reply;  // the reply data's bytes, exactly
  // Decodes the reply and renders the destinations as "a|b|c".
  std::function<std::string(DdeLink&, HDDEDATA, const char*)> decode;
  const char* results;
};

std::string ThreeStrings(DdeLink& link, HDDEDATA reply, const char* format) {
  std::string a, b, c;
  link.DecodeReply(reply, format, &a, &b, &c);
  return a + "|" + b + "|" + c;
}

std::string TwoStrings(DdeLink& link, HDDEDATA reply, const char* format) {
  std::string a, b;
  link.DecodeReply(reply, format, &a, &b);
  return a + "|" + b;
}

std::string StringThenNumber(DdeLink& link, HDDEDATA reply, const char* format) {
  std::string a;
  DWORD n = 99;
  link.DecodeReply(reply, format, &a, &n);
  return a + "|" + std::to_string(n);
}

std::string TwoNumbers(DdeLink& link, HDDEDATA reply, const char* format) {
  DWORD a = 99, b = 99;
  link.DecodeReply(reply, format, &a, &b);
  return std::to_string(a) + "|" + std::to_string(b);
}

std::string TwoFlags(DdeLink& link, HDDEDATA reply, const char* format) {
  SHORT a = 9, b = 9;
  link.DecodeReply(reply, format, &a, &b);
  return std::to_string(a) + "|" + std::to_string(b);
}

std::string OneNumber(DdeLink& link, HDDEDATA reply, const char* format) {
  DWORD a = 99;
  link.DecodeReply(reply, format, &a);
  return std::to_string(a);
}

std::string OneFlag(DdeLink& link, HDDEDATA reply, const char* format) {
  SHORT a = 9;
  link.DecodeReply(reply, format, &a);
  return std::to_string(a);
}

std::string OneString(DdeLink& link, HDDEDATA reply, const char* format) {
  std::string a;
  link.DecodeReply(reply, format, &a);
  return a;
}

std::string AppendedString(DdeLink& link, HDDEDATA reply, const char* format) {
  std::string a = "kept:";
  link.DecodeReply(reply, format, &a);
  return a;
}

TEST(ItemCodec, DecodesRepliesIntoTypedValues) {
  const std::string z(1, '\0');
  const std::vector<DecodeRow> rows = {
      {"three quoted", "QCS,QCS,QCS", "\"a.htm\",\"Home\",\"x\"" + z, ThreeStrings, "a.htm|Home|x"},
      {"escaped quote", "QCS,CS", "\"x\\\"y\",z" + z, TwoStrings, "x\"y|z"},
      {"empty middle field", "CS,CS,CS", "a,,b" + z, ThreeStrings, "a||b"},
      {"empty quotes then number", "QCS,DW", "\"\",5" + z, StringThenNumber, "|5"},
      {"missing second number", "DW,DW", "12" + z, TwoNumbers, "12|0"},
      {"flags ignore case", "BL,BL", "true,yes" + z, TwoFlags, "1|0"},
      {"unknown code drops its field", "QCS,XX,CS", "\"p\",q,r" + z, TwoStrings, "p|r"},
      {"number read from the data", "DW", std::string("\x2A\0\0\0", 4), OneNumber, "42"},
      {"flag read from the data", "BL", std::string("\x01\0", 2), OneFlag, "1"},
      {"single quoted code takes the text path", "QCS", "\"ab\"" + z, OneString, "ab"},
      {"quoted field keeps its commas", "QCS,CS", "\"p,q\",r" + z, TwoStrings, "p,q|r"},
      {"quoted string is appended", "QCS", "\"ab\"" + z, AppendedString, "kept:ab"},
      {"absent quoted string empties", "QCS", z, AppendedString, ""},
      {"plain string is assigned", "CS", "ab" + z, AppendedString, "ab"},
      {"absent plain string empties", "CS", z, AppendedString, ""},
      {"number that is not a number stays", "DW,DW", "x,7" + z, TwoNumbers, "99|7"},
      {"backslash before closing quote runs to the end", "QCS,CS", "\"dir\\\",next" + z, TwoStrings,
       "dir\",next|"},
      {"unclosed quote runs to the end", "QCS,CS", "\"open,more" + z, TwoStrings, "open,more|"},
      {"text after a closing quote is skipped", "QCS,CS", "\"a\"junk,b" + z, TwoStrings, "a|b"},
      {"lone backslash stands for itself", "CS,QCS", "a\\b,\"c\\d\"" + z, TwoStrings, "a\\b|c\\d"},
      {"reply over 255 characters: every field absent", "QCS,DW",
       "\"" + std::string(300, 'u') + "\",5" + z, StringThenNumber, "|0"},
      {"text without its terminating zero", "CS,CS", "ab,cd", TwoStrings, "ab|cd"},
      {"short number data", "DW", std::string("\x2A\0", 2), OneNumber, "0"},
      {"empty number data", "DW", "", OneNumber, "0"},
      {"short flag data", "BL", std::string("\x01", 1), OneFlag, "0"},
  };
  DdeLink link;
  ASSERT_TRUE(link.initialized);
  for (const DecodeRow& row : rows) {
    SCOPED_TRACE(row.name);
    HDDEDATA reply = MakeReply(link, row.reply);
    ASSERT_NE(reply, static_cast<HDDEDATA>(0));
    EXPECT_EQ(row.decode(link, reply, row.format), row.results);
  }
}

struct FieldRow {
  const char* name;
  const char* text;
  int field;
  const char* value;  // null: absent
};

TEST(ItemCodec, ExtractsFieldsByNumber) {
  const std::vector<FieldRow> rows = {
      {"first plain", "a,b,c", 1, "a"},
      {"last plain", "a,b,c", 3, "c"},
      {"beyond the last", "a,b,c", 4, nullptr},
      {"field zero", "a,b", 0, nullptr},
      {"negative field", "a,b", -1, nullptr},
      {"comma at the start", ",b", 1, nullptr},
      {"empty between commas", "a,,b", 2, nullptr},
      {"empty quotes", "\"\",b", 1, nullptr},
      {"quoted keeps escape pair", "\"x\\\"y\",z", 1, "x\\\"y"},
      {"after a quoted field with a comma", "\"p,q\",r", 2, "r"},
      {"after an escaped quote", "\"a\\\",b\",c", 2, "c"},
      {"trailing comma", "a,", 2, nullptr},
  };
  DdeLink link;
  ASSERT_TRUE(link.initialized);
  for (const FieldRow& row : rows) {
    SCOPED_TRACE(row.name);
    HSZ text = MakeText(link, row.text);
    ASSERT_NE(text, static_cast<HSZ>(0));
    char* value = link.ExtractField(text, row.field);
    if (row.value == nullptr) {
      EXPECT_EQ(value, nullptr);
    } else {
      ASSERT_NE(value, nullptr);
      EXPECT_STREQ(value, row.value);
    }
    free(value);
    DdeFreeStringHandle(link.instanceId, text);
  }
}

TEST(ItemCodec, NextCodeStepsOverOneComma) {
  const char format[] = "QCS,DW,,BL";
  EXPECT_STREQ(DdeLink::NextCode(format), "DW,,BL");
  EXPECT_STREQ(DdeLink::NextCode(format + 4), ",BL");
  EXPECT_STREQ(DdeLink::NextCode(format + 7), "BL");
  EXPECT_STREQ(DdeLink::NextCode(format + 8), "");
  EXPECT_EQ(DdeLink::NextCode(nullptr), nullptr);
  const char* end = format + sizeof format - 1;
  EXPECT_EQ(DdeLink::NextCode(end), end);
}

}  // namespace
