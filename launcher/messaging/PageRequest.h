// The one message an extension sends: a JSON object with "mode" the number 0
// or 1, "title" a string and "url" a non-empty string, in UTF-8; other
// members are ignored. Anything else is refused with a reason that the
// extension shows the user.
#pragma once

#include <string>

#include "platform/Win32Api.h"

namespace native_host {

struct PageRequest {
  BOOL mode = FALSE;  // TRUE: the second save request
  std::string title;  // UTF-8
  std::string url;    // UTF-8, never empty
};

// True with *request filled, or false with the reason in *refusal.
bool DecodePageRequest(const std::string& text, PageRequest* request, std::string* refusal);

}  // namespace native_host
