// Native messaging's framing on the standard handles: a 32-bit length in
// native byte order, then that many bytes of UTF-8 JSON. Read and written as
// binary (ReadFile and WriteFile), since a text-mode CR LF translation would
// corrupt the length.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Win32Api.h"

namespace native_host {

// The browsers allow a reply of at most 1 MiB; a message above that is
// refused before its bytes are read.
constexpr uint32_t kMaxMessageBytes = 1024 * 1024;

// True with the message's bytes in *text, or false with the reason in
// *refusal (too long, or the stream ended early).
bool ReadMessage(HANDLE input, std::string* text, std::string* refusal);

// Writes one message (at most kMaxMessageBytes); false when it could not be
// written whole.
bool WriteMessage(HANDLE output, const std::string& text);

// The replies: {"saved":true}, or {"saved":false,"error":"<reason>"}.
std::string SavedReply();
std::string RefusedReply(const std::string& reason);

}  // namespace native_host
