#include <algorithm>

#include "installer/chromium/ChromiumBookmarks.h"

namespace installer::chromium {

void TextEdit::Replace(size_t begin, size_t end, std::string replacement) {
  auto at =
      std::upper_bound(changes_.begin(), changes_.end(), begin,
                       [](size_t value, const Change& change) { return value < change.begin; });
  changes_.insert(at, Change{begin, end, std::move(replacement)});
}

bool TextEdit::ForEachPart(const std::function<bool(std::string_view)>& write) const {
  size_t at = 0;
  for (const Change& change : changes_) {
    if (change.begin > at && !write(text_.substr(at, change.begin - at))) {
      return false;
    }
    if (!change.replacement.empty() && !write(change.replacement)) {
      return false;
    }
    at = change.end;
  }
  return at >= text_.size() || write(text_.substr(at));
}

std::string TextEdit::Whole() const {
  std::string whole;
  ForEachPart([&whole](std::string_view part) {
    whole.append(part);
    return true;
  });
  return whole;
}

}  // namespace installer::chromium
