// The item codec: typed values to and from the browser's comma-separated
// field texts, driven by a format string of codes.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "launcher/dde/DdeLink.h"

namespace {

bool IsCode(const char* position, const char* code) {
  return std::strncmp(position, code, std::strlen(code)) == 0;
}

// A quoted field ends at the first quote without a backslash directly
// before it. Returns the position of that quote, or the end of the text.
const char* FindClosingQuote(const char* afterOpeningQuote) {
  const char* p = afterOpeningQuote;
  while (*p != '\0' && !(*p == '"' && p[-1] != '\\')) {
    ++p;
  }
  return p;
}

void AppendQuoted(std::string* item, const char* text) {
  *item += '"';
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == '"') {
      *item += '\\';
    }
    *item += *p;
  }
  *item += '"';
}

std::string Unescaped(const char* value) {
  std::string text;
  for (const char* p = value; *p != '\0'; ++p) {
    if (p[0] == '\\' && p[1] == '"') {
      continue;
    }
    text += *p;
  }
  return text;
}

DWORD ReadLittleEndian(const BYTE* data, DWORD count) {
  DWORD value = 0;
  for (DWORD i = 0; i < count; ++i) {
    value |= static_cast<DWORD>(data[i]) << (8 * i);
  }
  return value;
}

}  // namespace

const char* DdeLink::NextCode(const char* position) {
  if (position == nullptr || *position == '\0') {
    return position;
  }
  while (*position != '\0' && *position != ',') {
    ++position;
  }
  if (*position == ',') {
    ++position;
  }
  return position;
}

HSZ DdeLink::BuildItem(const char* format, ...) {
  std::string item;
  va_list args;
  va_start(args, format);
  try {
    const char* code = format;
    while (*code != '\0') {
      if (IsCode(code, "DW")) {
        const DWORD* value = va_arg(args, const DWORD*);
        if (value != nullptr) {
          char digits[24];
          std::snprintf(digits, sizeof digits, "%lu", static_cast<unsigned long>(*value));
          item += digits;
        }
      } else if (IsCode(code, "CS")) {
        const char* value = va_arg(args, const char*);
        if (value != nullptr) {
          item += value;
        }
      } else if (IsCode(code, "QCS")) {
        const char* value = va_arg(args, const char*);
        if (value != nullptr) {
          AppendQuoted(&item, value);
        }
      } else if (IsCode(code, "BL")) {
        const SHORT* value = va_arg(args, const SHORT*);
        if (value != nullptr) {
          item += *value != 0 ? "TRUE" : "FALSE";
        }
      } else {
        // An unknown code ends the item as it stands, a comma already
        // written included.
        break;
      }
      code = NextCode(code);
      if (*code == '\0') {
        break;
      }
      item += ',';
    }
  } catch (const std::bad_alloc&) {
    va_end(args);
    return 0;
  }
  va_end(args);
  if (item.empty()) {
    return 0;
  }
  return DdeCreateStringHandleA(instanceId, item.c_str(), CP_WINANSI);
}

void DdeLink::DecodeReply(HDDEDATA reply, const char* format, ...) {
  va_list args;
  va_start(args, format);
  // The size bounds every read: a short or unterminated reply is read only
  // as far as it goes.
  DWORD size = 0;
  const BYTE* data = DdeAccessData(reply, &size);
  if (data == nullptr) {
    size = 0;
  }

  bool oneCode = std::strchr(format, ',') == nullptr;
  if (oneCode && std::strcmp(format, "DW") == 0) {
    DWORD* destination = va_arg(args, DWORD*);
    *destination = size >= 4 ? ReadLittleEndian(data, 4) : 0;
    DdeUnaccessData(reply);
    DdeFreeDataHandle(reply);
    va_end(args);
    return;
  }
  if (oneCode && std::strcmp(format, "BL") == 0) {
    SHORT* destination = va_arg(args, SHORT*);
    *destination = size >= 2 ? static_cast<SHORT>(ReadLittleEndian(data, 2)) : 0;
    DdeUnaccessData(reply);
    DdeFreeDataHandle(reply);
    va_end(args);
    return;
  }

  HSZ text = 0;
  try {
    const char* begin = reinterpret_cast<const char*>(data);
    std::string replyText = data != nullptr ? std::string(begin, strnlen(begin, size)) : "";
    text = DdeCreateStringHandleA(instanceId, replyText.c_str(), CP_WINANSI);
  } catch (const std::bad_alloc&) {
    text = 0;
  }
  // From here on only the string handle holds the reply.
  DdeUnaccessData(reply);
  DdeFreeDataHandle(reply);

  int fieldNumber = 0;
  for (const char* code = format; *code != '\0'; code = NextCode(code)) {
    ++fieldNumber;
    char* field = ExtractField(text, fieldNumber);
    try {
      if (IsCode(code, "DW")) {
        DWORD* destination = va_arg(args, DWORD*);
        if (field == nullptr) {
          *destination = 0;
        } else {
          unsigned long value = 0;
          if (std::sscanf(field, "%lu", &value) == 1) {
            *destination = static_cast<DWORD>(value);
          }
        }
      } else if (IsCode(code, "QCS")) {
        std::string* destination = va_arg(args, std::string*);
        if (field == nullptr) {
          destination->clear();
        } else {
          destination->append(Unescaped(field));
        }
      } else if (IsCode(code, "CS")) {
        std::string* destination = va_arg(args, std::string*);
        if (field == nullptr) {
          destination->clear();
        } else {
          destination->assign(field);
        }
      } else if (IsCode(code, "BL")) {
        SHORT* destination = va_arg(args, SHORT*);
        *destination = (field != nullptr && _stricmp(field, "TRUE") == 0) ? 1 : 0;
      }
    } catch (const std::bad_alloc&) {
      std::free(field);
      break;
    }
    std::free(field);
  }
  DdeFreeStringHandle(instanceId, text);
  va_end(args);
}

char* DdeLink::ExtractField(HSZ handle, int fieldNumber) {
  DWORD length = DdeQueryStringA(instanceId, handle, nullptr, 0, CP_WINANSI);
  char* text = static_cast<char*>(std::calloc(static_cast<size_t>(length) + 1, 1));
  if (text == nullptr) {
    return nullptr;
  }
  DdeQueryStringA(instanceId, handle, text, length + 1, CP_WINANSI);
  text[length] = '\0';
  if (text[0] == '\0' || fieldNumber < 1) {
    std::free(text);
    return nullptr;
  }

  const char* p = text;
  for (int skipped = 1; skipped < fieldNumber && *p != '\0'; ++skipped) {
    if (*p == '"') {
      p = FindClosingQuote(p + 1);
      if (*p == '"') {
        ++p;
      }
    }
    while (*p != '\0' && *p != ',') {
      ++p;
    }
    if (*p == ',') {
      ++p;
    }
  }
  if (*p == '\0' || *p == ',') {
    std::free(text);
    return nullptr;
  }

  // A quoted value lacking its closing quote runs to the end of the text;
  // characters after a closing quote are not part of the value.
  const char* begin = p;
  const char* end;
  if (*p == '"') {
    begin = p + 1;
    end = FindClosingQuote(begin);
  } else {
    end = std::strchr(p, ',');
    if (end == nullptr) {
      end = p + std::strlen(p);
    }
  }
  size_t valueLength = static_cast<size_t>(end - begin);
  char* value = nullptr;
  if (valueLength > 0) {
    value = static_cast<char*>(std::malloc(valueLength + 1));
    if (value != nullptr) {
      std::memcpy(value, begin, valueLength);
      value[valueLength] = '\0';
    }
  }
  std::free(text);
  return value;
}
