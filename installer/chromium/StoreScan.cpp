#include "installer/chromium/StoreScan.h"

#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "installer/shared/PathConvention.h"

namespace installer::chromium {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* kProductRoots[] = {"bookmark_bar", "other"};

// The reader's own stack, for strings it decodes: a failed allocation is
// an exception here, not a write through a null pointer.
class ReaderAllocator {
 public:
  void* Malloc(size_t size) { return size != 0 ? Checked(std::malloc(size)) : nullptr; }
  void* Realloc(void* block, size_t, size_t newSize) {
    if (newSize == 0) {
      std::free(block);
      return nullptr;
    }
    return Checked(std::realloc(block, newSize));
  }
  static void Free(void* block) { std::free(block); }

 private:
  static void* Checked(void* block) {
    if (block == nullptr) {
      throw std::bad_alloc();
    }
    return block;
  }
};

using Reader = rapidjson::GenericReader<rapidjson::UTF8<>, rapidjson::UTF8<>, ReaderAllocator>;
constexpr unsigned kParseFlags =
    rapidjson::kParseValidateEncodingFlag | rapidjson::kParseNumbersAsStringsFlag;

// The members the scan looks at.
enum class Member : uint8_t {
  kNone,
  kRoots,
  kChecksum,
  kChecksumSha256,
  kRoot,  // any member of "roots"
  kId,
  kName,
  kType,
  kUrl,
  kChildren,
};

enum class Role : uint8_t { kTop, kRoots, kNode, kNodeChildren, kOther };

// What a value that has just ended was.
enum class ValueKind : uint8_t { kScalar, kObject, kArray, kNodeChildren };

// An open object or array.
struct Frame {
  Role role = Role::kOther;
  bool isObject = false;
  uint32_t node = kNoRecord;      // kNode: its record; kNodeChildren: the owner's
  Member member = Member::kNone;  // objects: the member whose value comes next
  size_t memberNameEnd = 0;
  bool productRoot = false;  // kNode: a root that gets the product's folder
  // kNodeChildren: the records and other elements so far.
  uint32_t firstRecord = 0;
  uint32_t otherElements = 0;
  bool tracked = false;  // kNodeChildren of a product root: positions kept
  RootChildren positions;
  size_t lastEnd = 0;  // arrays: where the last element (or the "[") ends
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Whether a decoded string holds a UTF-16 surrogate on its own: the reader
// validates the text's bytes, but decodes a lone "\uDC00" escape into
// them (ED B0 80), which is no text the browser reads.
bool HoldsLoneSurrogate(const char* text, size_t length) {
  const char* end = text + length;
  for (const char* at = text; (at = static_cast<const char*>(std::memchr(at, '\xED', end - at)));
       ++at) {
    if (at + 1 < end && static_cast<unsigned char>(at[1]) >= 0xA0) {
      return true;
    }
  }
  return false;
}

class ScanHandler : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, ScanHandler> {
 public:
  ScanHandler(StoreScan* scan, const rapidjson::MemoryStream* stream, size_t offset)
      : scan_(scan), stream_(stream), offset_(offset) {}

  bool topIsObject = false;
  bool rootsIsObject = false;

  bool Null() { return Scalar(nullptr, 0); }
  bool Bool(bool) { return Scalar(nullptr, 0); }
  bool RawNumber(const char*, rapidjson::SizeType, bool) { return Scalar(nullptr, 0); }
  bool String(const char* value, rapidjson::SizeType length, bool) {
    return !HoldsLoneSurrogate(value, length) && Scalar(value, length);
  }

  bool Key(const char* name, rapidjson::SizeType length, bool) {
    if (HoldsLoneSurrogate(name, length)) {
      return false;
    }
    Frame& frame = frames_.back();
    std::string_view key(name, length);
    frame.memberNameEnd = Position();
    switch (frame.role) {
      case Role::kTop:
        if (scan_->firstMember == 0) {
          scan_->firstMember = SkipBlanks(frame.lastEnd);
        }
        frame.member = key == "roots"             ? Member::kRoots
                       : key == "checksum"        ? Member::kChecksum
                       : key == "checksum_sha256" ? Member::kChecksumSha256
                                                  : Member::kNone;
        break;
      case Role::kRoots:
        frame.member = Member::kRoot;
        rootName_.assign(key);
        break;
      case Role::kNode:
        frame.member = key == "id"         ? Member::kId
                       : key == "name"     ? Member::kName
                       : key == "type"     ? Member::kType
                       : key == "url"      ? Member::kUrl
                       : key == "children" ? Member::kChildren
                                           : Member::kNone;
        break;
      default:
        frame.member = Member::kNone;
        break;
    }
    return true;
  }

  bool StartObject() { return Open(true); }
  bool StartArray() { return Open(false); }
  bool EndObject(rapidjson::SizeType) { return Close(); }
  bool EndArray(rapidjson::SizeType) { return Close(); }

 private:
  // Just past the token the reader has taken.
  size_t Position() const { return offset_ + stream_->Tell(); }

  size_t SkipBlanks(size_t at) const {
    while (at < scan_->text.size() && IsBlank(scan_->text[at])) {
      ++at;
    }
    return at;
  }

  // Where a value starts after the end of what precedes it, passing the
  // one separator (":" or ",") that may stand between, in a text the
  // reader has read that far.
  size_t ValueStart(size_t after) const {
    size_t at = SkipBlanks(after);
    if (at < scan_->text.size() && (scan_->text[at] == ':' || scan_->text[at] == ',')) {
      at = SkipBlanks(at + 1);
    }
    return at;
  }

  TextSlice Slice(const char* value, size_t length) {
    size_t end = Position() - 1;  // at the closing quote
    TextSlice slice;
    slice.length = static_cast<uint32_t>(length);
    if (length <= end && std::memcmp(scan_->text.data() + end - length, value, length) == 0) {
      slice.offset = static_cast<uint32_t>(end - length);
    } else {
      slice.offset = static_cast<uint32_t>(scan_->copies.size());
      slice.copied = true;
      scan_->copies.append(value, length);
    }
    return slice;
  }

  // A string (value not null), number, true, false or null has been read.
  bool Scalar(const char* value, size_t length) {
    if (frames_.empty()) {
      return true;
    }
    Frame& frame = frames_.back();
    if (frame.role == Role::kNode) {
      TextSlice slice = value != nullptr ? Slice(value, length) : TextSlice{};
      NodeRecord& node = scan_->nodes[frame.node];
      switch (frame.member) {
        case Member::kId:
          node.id = slice;
          break;
        case Member::kName:
          node.name = slice;
          break;
        case Member::kUrl:
          node.url = slice;
          break;
        case Member::kType: {
          std::string_view type = value != nullptr ? std::string_view(value, length) : "";
          node.type = type == "url"      ? NodeType::kUrl
                      : type == "folder" ? NodeType::kFolder
                                         : NodeType::kNeither;
          break;
        }
        default:
          break;
      }
    }
    return ValueDone(ValueKind::kScalar, kNoRecord);
  }

  bool Open(bool isObject) {
    if (frames_.size() >= kMaxNestingDepth) {
      return false;
    }
    Frame frame;
    frame.isObject = isObject;
    frame.lastEnd = Position();
    if (frames_.empty()) {
      frame.role = isObject ? Role::kTop : Role::kOther;
      topIsObject = isObject;
      scan_->topOpen = Position();
    } else {
      const Frame& parent = frames_.back();
      if (isObject && parent.role == Role::kTop && parent.member == Member::kRoots) {
        frame.role = Role::kRoots;
        rootsIsObject = true;
        scan_->roots.clear();
      } else if (isObject && parent.role == Role::kRoots) {
        frame.role = Role::kNode;
        frame.node = NewRecord();
        frame.productRoot = IsProductRoot(rootName_);
        ForgetRoot(rootName_);
        RootEntry entry;
        entry.name = rootName_;
        entry.record = frame.node;
        scan_->roots.push_back(std::move(entry));
      } else if (isObject && parent.role == Role::kNodeChildren) {
        frame.role = Role::kNode;
        frame.node = NewRecord();
      } else if (!isObject && parent.role == Role::kNode && parent.member == Member::kChildren) {
        frame.role = Role::kNodeChildren;
        frame.node = parent.node;
        frame.firstRecord = static_cast<uint32_t>(scan_->nodes.size());
        frame.tracked = parent.productRoot;
        frame.positions.open = Position();
      }
    }
    frames_.push_back(std::move(frame));
    return true;
  }

  bool Close() {
    Frame frame = std::move(frames_.back());
    frames_.pop_back();
    if (frame.role == Role::kNode) {
      scan_->nodes[frame.node].subtreeEnd = static_cast<uint32_t>(scan_->nodes.size());
    } else if (frame.role == Role::kNodeChildren) {
      NodeRecord& owner = scan_->nodes[frame.node];
      owner.hasChildren = true;
      owner.childrenBegin = frame.firstRecord;
      owner.childrenEnd = static_cast<uint32_t>(scan_->nodes.size());
      owner.otherChildren = frame.otherElements;
      if (frame.tracked) {
        frame.positions.close = Position() - 1;
        for (RootEntry& root : scan_->roots) {
          if (root.record == frame.node) {
            root.children = std::move(frame.positions);
          }
        }
      }
    }
    ValueKind kind = frame.role == Role::kNodeChildren ? ValueKind::kNodeChildren
                     : frame.isObject                  ? ValueKind::kObject
                                                       : ValueKind::kArray;
    return ValueDone(kind, frame.role == Role::kNode ? frame.node : kNoRecord);
  }

  // A value has ended in the frame on top; `record` is its node's, if it
  // was one.
  bool ValueDone(ValueKind kind, uint32_t record) {
    if (frames_.empty()) {
      return true;
    }
    Frame& frame = frames_.back();
    size_t end = Position();
    if (!frame.isObject) {
      if (frame.role == Role::kNodeChildren) {
        if (record == kNoRecord) {
          ++frame.otherElements;
        }
        if (frame.tracked) {
          frame.positions.elements.push_back({{ValueStart(frame.lastEnd), end}, record});
        }
      }
      frame.lastEnd = end;
      return true;
    }
    switch (frame.member) {
      case Member::kChecksum:
      case Member::kChecksumSha256:
        if (frame.role == Role::kTop) {
          TextRange range{ValueStart(frame.memberNameEnd), end};
          (frame.member == Member::kChecksum ? scan_->checksums : scan_->sha256Checksums)
              .push_back(range);
        }
        break;
      case Member::kRoots:
        if (kind != ValueKind::kObject && frame.role == Role::kTop) {
          rootsIsObject = false;
          scan_->roots.clear();
        }
        break;
      case Member::kRoot:
        if (kind != ValueKind::kObject) {
          ForgetRoot(rootName_);
        }
        break;
      case Member::kChildren:
        if (kind != ValueKind::kNodeChildren && frame.role == Role::kNode) {
          NodeRecord& node = scan_->nodes[frame.node];
          node.hasChildren = false;
          node.childrenBegin = node.childrenEnd = node.otherChildren = 0;
        }
        break;
      case Member::kId:
      case Member::kName:
      case Member::kType:
      case Member::kUrl:
        // A container where a string belongs reads as the empty string.
        if (frame.role == Role::kNode && kind != ValueKind::kScalar) {
          ClearMember(frame);
        }
        break;
      default:
        break;
    }
    frame.lastEnd = end;
    return true;
  }

  void ClearMember(const Frame& frame) {
    NodeRecord& node = scan_->nodes[frame.node];
    if (frame.member == Member::kId) node.id = {};
    if (frame.member == Member::kName) node.name = {};
    if (frame.member == Member::kUrl) node.url = {};
    if (frame.member == Member::kType) node.type = NodeType::kNeither;
  }

  uint32_t NewRecord() {
    scan_->nodes.emplace_back();
    return static_cast<uint32_t>(scan_->nodes.size() - 1);
  }

  static bool IsProductRoot(const std::string& name) {
    for (const char* root : kProductRoots) {
      if (name == root) {
        return true;
      }
    }
    return false;
  }

  void ForgetRoot(const std::string& name) {
    for (size_t i = 0; i < scan_->roots.size(); ++i) {
      if (scan_->roots[i].name == name) {
        scan_->roots.erase(scan_->roots.begin() + static_cast<std::ptrdiff_t>(i));
        return;
      }
    }
  }

  StoreScan* scan_;
  const rapidjson::MemoryStream* stream_;
  size_t offset_;
  std::vector<Frame> frames_;
  std::string rootName_;
};

}  // namespace

std::string_view StoreScan::Value(TextSlice slice) const {
  std::string_view from = slice.copied ? std::string_view(copies) : text;
  return from.substr(slice.offset, slice.length);
}

const RootEntry* StoreScan::Root(std::string_view name) const {
  for (const RootEntry& root : roots) {
    if (root.name == name) {
      return &root;
    }
  }
  return nullptr;
}

StoreStatus ScanStore(std::string_view text, StoreScan* scan) {
  *scan = StoreScan();
  scan->text = text;
  // Offsets of string values are kept in 32 bits.
  if (text.size() >= kNoRecord) {
    return StoreStatus::kNotJson;
  }
  size_t offset =
      text.substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;
  rapidjson::MemoryStream stream(text.data() + offset, text.size() - offset);
  ScanHandler handler(scan, &stream, offset);
  Reader reader;
  // A NUL byte ends the reader's input: the whole text must have been read.
  if (reader.Parse<kParseFlags>(stream, handler).IsError() ||
      stream.Tell() != text.size() - offset || !handler.topIsObject) {
    return StoreStatus::kNotJson;
  }
  scan->lineEnd = LineEndOf(text);
  if (!handler.rootsIsObject) {
    return StoreStatus::kMissingRoots;
  }
  for (const char* name : kProductRoots) {
    const RootEntry* root = scan->Root(name);
    if (root == nullptr || !scan->nodes[root->record].hasChildren) {
      return StoreStatus::kMissingRoots;
    }
  }
  return StoreStatus::kDone;
}

std::string_view LineEndOf(std::string_view text) {
  size_t lineFeed = text.find('\n');
  if (lineFeed == std::string_view::npos) {
    return installer::shared::kDefaultLineEnd;
  }
  return lineFeed > 0 && text[lineFeed - 1] == '\r' ? "\r\n" : "\n";
}

}  // namespace installer::chromium
