#include "testing/BookmarksTree.h"

#include <memory>

#include "installer/chromium/Checksum.h"
#include "installer/chromium/NewFolder.h"
#include "installer/chromium/SystemServices.h"

namespace bookmarks_tree {

namespace {

constexpr size_t kMaxNestingDepth = 200;
constexpr size_t kIndentPerLevel = 3;
constexpr const char* kChecksummedRoots[] = {"bookmark_bar", "other", "synced"};

// Checked on the text first, so that nothing deeper is ever built.
bool NestsWithinLimit(std::string_view text) {
  size_t depth = 0;
  bool inString = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (inString) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '{' || c == '[') {
      if (++depth > kMaxNestingDepth) {
        return false;
      }
    } else if ((c == '}' || c == ']') && depth > 0) {
      --depth;
    }
  }
  return true;
}

void AppendIndent(std::string* out, size_t depth) { out->append(depth * kIndentPerLevel, ' '); }

void AppendValue(std::string* out, const Json& value, size_t depth, std::string_view lineEnd) {
  if (value.is_object()) {
    out->push_back('{');
    out->append(lineEnd);
    bool first = true;
    for (auto member = value.begin(); member != value.end(); ++member) {
      if (!first) {
        out->push_back(',');
        out->append(lineEnd);
      }
      first = false;
      AppendIndent(out, depth + 1);
      out->append(installer::chromium::QuotedString(member.key()));
      out->append(": ");
      AppendValue(out, member.value(), depth + 1, lineEnd);
    }
    out->append(lineEnd);
    AppendIndent(out, depth);
    out->push_back('}');
  } else if (value.is_array()) {
    out->append("[ ");
    bool first = true;
    for (const Json& element : value) {
      if (!first) {
        out->append(", ");
      }
      first = false;
      AppendValue(out, element, depth, lineEnd);
    }
    out->append(" ]");
  } else if (value.is_string()) {
    out->append(installer::chromium::QuotedString(value.get_ref<const std::string&>()));
  } else {
    out->append(value.dump());
  }
}

const std::string& StringMember(const Json& node, const char* name) {
  static const std::string kNone;
  auto member = node.find(name);
  return member != node.end() && member->is_string() ? member->get_ref<const std::string&>()
                                                     : kNone;
}

// Depth first as the browser counts, a URL node without its children.
void AppendNode(std::string* out, const Json& node) {
  if (!node.is_object()) {
    return;
  }
  out->append(StringMember(node, "id"));
  installer::chromium::AppendUtf16Le(StringMember(node, "name"), out);
  if (StringMember(node, "type") == "url") {
    out->append("url");
    out->append(StringMember(node, "url"));
    return;
  }
  out->append("folder");
  auto children = node.find("children");
  if (children != node.end() && children->is_array()) {
    for (const Json& child : *children) {
      AppendNode(out, child);
    }
  }
}

}  // namespace

bool ParseJson(std::string_view text, Json* value) {
  // nlohmann's reader ends the text at a NUL byte; JSON has none outside
  // its strings' escapes, and the browser reads none.
  if (text.find('\0') != std::string_view::npos || !NestsWithinLimit(text)) {
    return false;
  }
  try {
    *value = Json::parse(text.begin(), text.end(), nullptr, /*allow_exceptions=*/false);
  } catch (const Json::exception&) {
    return false;
  }
  return !value->is_discarded();
}

Json Parse(std::string_view text) {
  Json document;
  if (!ParseJson(text, &document)) {
    return Json();
  }
  return document;
}

std::string WriteJson(const Json& value, std::string_view lineEnd) {
  std::string out;
  AppendValue(&out, value, 0, lineEnd);
  out.append(lineEnd);
  return out;
}

std::string ChecksumInput(const Json& document) {
  std::string input;
  auto roots = document.find("roots");
  if (roots == document.end() || !roots->is_object()) {
    return input;
  }
  for (const char* name : kChecksummedRoots) {
    auto root = roots->find(name);
    if (root != roots->end()) {
      AppendNode(&input, *root);
    }
  }
  return input;
}

std::string TreeChecksum(const Json& document) {
  std::string digest;
  installer::chromium::Digest(installer::chromium::DigestKind::kMd5, ChecksumInput(document),
                              &digest);
  return installer::chromium::HexOf(digest);
}

bool IsProductFolder(const Json& node) {
  if (!node.is_object() || StringMember(node, "type") != "folder" ||
      StringMember(node, "name") != installer::shared::kFolderTitle) {
    return false;
  }
  auto children = node.find("children");
  if (children == node.end() || !children->is_array()) {
    return false;
  }
  installer::shared::FolderContents contents;
  for (const Json& child : *children) {
    if (child.is_object() && StringMember(child, "type") == "url") {
      contents.AddLink(StringMember(child, "url"));
    } else {
      contents.AddOther();
    }
  }
  return contents.Verdict() == installer::shared::FolderVerdict::kProductFolder;
}

installer::chromium::NodeSource RepeatableSource(uint64_t seed) {
  auto state = std::make_shared<uint64_t>(seed);
  return {kFixedNow, [state](unsigned char* buffer, size_t size) {
            for (size_t i = 0; i < size; ++i) {
              if (i % 8 == 0) {
                *state += 0x9E3779B97F4A7C15ULL;
              }
              uint64_t z = *state;
              z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
              z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
              z ^= z >> 31;
              buffer[i] = static_cast<unsigned char>(z >> (8 * (i % 8)));
            }
            return true;
          }};
}

}  // namespace bookmarks_tree
