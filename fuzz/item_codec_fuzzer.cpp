// The DDE item codec on texts the browser could send: ExtractField on every
// field of a reply text, DecodeReply of reply data with a format of any
// codes, BuildItem with a format of any codes, and the round trip of a
// window-information item.
//
// Input: parts cut at "--8<--" lines: a format, reply bytes, a value.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "launcher/dde/DdeLink.h"
#include "platform/posix/DdeTestHooks.h"

namespace {

using fuzz_input::Check;

// The destinations of a format, as the codec takes them: one per known code.
enum class Slot { kDword, kText, kFlag };
constexpr size_t kMaxSlots = 4;

bool StartsWith(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// False for a code the codec does not know.
bool SlotOf(const char* code, Slot* slot) {
  if (StartsWith(code, "DW")) {
    *slot = Slot::kDword;
  } else if (StartsWith(code, "QCS") || StartsWith(code, "CS")) {
    *slot = Slot::kText;
  } else if (StartsWith(code, "BL")) {
    *slot = Slot::kFlag;
  } else {
    return false;
  }
  return true;
}

// DecodeReply takes a destination for every known code and skips unknown
// ones; BuildItem stops at the first unknown code. False when the format
// wants more destinations than a call here passes.
bool SlotsOf(const char* format, bool stopAtUnknown, std::vector<Slot>* slots) {
  for (const char* code = format; *code != '\0'; code = DdeLink::NextCode(code)) {
    Slot slot;
    if (!SlotOf(code, &slot)) {
      if (stopAtUnknown) {
        break;
      }
      continue;
    }
    if (slots->size() == kMaxSlots) {
      return false;
    }
    slots->push_back(slot);
  }
  return true;
}

struct Values {
  DWORD dwords[kMaxSlots] = {};
  std::string texts[kMaxSlots];
  SHORT flags[kMaxSlots] = {};
};

// Calls `call` with one pointer of the slot's type per slot, so that a
// variadic codec call gets exactly the argument types its format asks for.
template <typename Call, typename... Args>
void WithSlots(const std::vector<Slot>& slots, Values& values, Call&& call, Args... args) {
  constexpr size_t i = sizeof...(Args);
  if constexpr (i == kMaxSlots) {
    call(args...);
  } else {
    if (i == slots.size()) {
      call(args...);
      return;
    }
    switch (slots[i]) {
      case Slot::kDword:
        WithSlots(slots, values, call, args..., &values.dwords[i]);
        break;
      case Slot::kText:
        WithSlots(slots, values, call, args..., &values.texts[i]);
        break;
      case Slot::kFlag:
        WithSlots(slots, values, call, args..., &values.flags[i]);
        break;
    }
  }
}

// BuildItem takes values by pointer to const, texts as C strings.
const DWORD* ForBuild(DWORD* value) { return value; }
const char* ForBuild(std::string* value) { return value->c_str(); }
const SHORT* ForBuild(SHORT* value) { return value; }

HDDEDATA MakeReply(DdeLink& link, std::string_view bytes) {
  std::vector<BYTE> copy(bytes.begin(), bytes.end());
  return DdeCreateDataHandle(link.instanceId, copy.data(), static_cast<DWORD>(copy.size()), 0, 0,
                             CF_TEXT, 0);
}

std::string TextOf(DdeLink& link, HSZ handle) {
  char text[256] = {};
  DdeQueryStringA(link.instanceId, handle, text, sizeof text, CP_WINANSI);
  return text;
}

void DecodeWithFormat(DdeLink& link, const std::string& format, std::string_view reply) {
  std::vector<Slot> slots;
  if (!SlotsOf(format.c_str(), false, &slots)) {
    return;
  }
  size_t handlesBefore = posix_dde::LiveDataHandles();
  HDDEDATA data = MakeReply(link, reply);
  Values values;
  WithSlots(slots, values, [&](auto*... destinations) {
    link.DecodeReply(data, format.c_str(), destinations...);
  });
  Check(posix_dde::LiveDataHandles() == handlesBefore, "DecodeReply gives the reply back");
}

void ExtractEveryField(DdeLink& link, std::string_view reply) {
  std::string text(reply.substr(0, reply.find('\0')));
  HSZ handle = DdeCreateStringHandleA(link.instanceId, text.c_str(), CP_WINANSI);
  if (handle == 0) {
    return;  // longer than DDEML's 255 characters
  }
  // DDEML may hand back an equal text of another letter case that it holds.
  text = TextOf(link, handle);
  int commas = 0;
  for (char c : text) {
    commas += c == ',' ? 1 : 0;
  }
  for (int field = -1; field <= commas + 2; ++field) {
    char* value = link.ExtractField(handle, field);
    if (value != nullptr) {
      Check(field >= 1 && value[0] != '\0', "a field given is a numbered, non-empty one");
      Check(text.find(value) != std::string::npos, "a field is a piece of the text");
    }
    std::free(value);
  }
  DdeFreeStringHandle(link.instanceId, handle);
}

void BuildWithFormat(DdeLink& link, const std::string& format, const std::string& value) {
  std::vector<Slot> slots;
  if (!SlotsOf(format.c_str(), true, &slots)) {
    return;
  }
  Values values;
  for (size_t i = 0; i < kMaxSlots; ++i) {
    values.dwords[i] = static_cast<DWORD>(value.size() * 2654435761u);
    values.texts[i] = value;
    values.flags[i] = static_cast<SHORT>(value.size() & 1);
  }
  HSZ item = 0;
  WithSlots(slots, values,
            [&](auto*... sources) { item = link.BuildItem(format.c_str(), ForBuild(sources)...); });
  if (item != 0) {
    link.ReleaseStringHandle(item);
  }
}

// A value without backslashes comes back from the item built for it; a
// backslash before a closing quote is the protocol's own ambiguity.
void RoundTrip(DdeLink& link, const std::string& value) {
  if (value.find('\\') != std::string::npos) {
    return;
  }
  const DWORD id = static_cast<DWORD>(value.size() * 40503u);
  const SHORT flag = static_cast<SHORT>(value.size() & 1);
  HSZ item = link.BuildItem("QCS,DW,BL", value.c_str(), &id, &flag);
  if (item == 0) {
    return;  // longer than DDEML's 255 characters
  }
  std::string text = TextOf(link, item);
  link.ReleaseStringHandle(item);
  std::string decoded;
  DWORD decodedId = 0;
  SHORT decodedFlag = 0;
  link.DecodeReply(MakeReply(link, std::string_view(text.c_str(), text.size() + 1)), "QCS,DW,BL",
                   &decoded, &decodedId, &decodedFlag);
  Check(decoded == value, "a quoted value survives the round trip");
  Check(decodedId == id, "a number survives the round trip");
  Check(decodedFlag == flag, "a flag survives the round trip");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string_view> parts = fuzz_input::SplitParts(data, size);
  // Formats and values are C strings to the codec.
  std::string format(parts[0].substr(0, parts[0].find('\0')));
  std::string_view reply = parts.size() > 1 ? parts[1] : std::string_view();
  std::string value = parts.size() > 2 ? std::string(parts[2].substr(0, parts[2].find('\0'))) : "";

  size_t stringsBefore = posix_dde::LiveStringHandles();
  size_t dataBefore = posix_dde::LiveDataHandles();
  {
    DdeLink link;
    Check(link.initialized != 0, "the link opens its instance");
    DecodeWithFormat(link, format, reply);
    ExtractEveryField(link, reply);
    BuildWithFormat(link, format, value);
    RoundTrip(link, value);
  }
  Check(posix_dde::LiveStringHandles() == stringsBefore, "no string handle is left behind");
  Check(posix_dde::LiveDataHandles() == dataBefore, "no data handle is left behind");
  posix_dde::ClearCallLog();
  return 0;
}
