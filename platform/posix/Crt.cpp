// Path splitting and joining as the Windows runtime does it: "\" and "/"
// both end a directory, "X:" at the start is the drive. Every output is
// bounded by its _MAX_ size and cut short when the part is longer.
#include "platform/posix/Crt.h"

#include <cstring>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Copies [begin, end) into out (size bytes), cut to size - 1 characters.
void CopyPart(const char* begin, const char* end, char* out, size_t size) {
  if (!out) return;
  size_t length = static_cast<size_t>(end - begin);
  if (length > size - 1) length = size - 1;
  std::memcpy(out, begin, length);
  out[length] = '\0';
}

// Appends to a _MAX_PATH buffer, dropping what does not fit.
class PathBuilder {
 public:
  void Append(const char* text, size_t length) {
    size_t room = sizeof(text_) - 1 - length_;
    if (length > room) length = room;
    std::memcpy(text_ + length_, text, length);
    length_ += length;
  }
  void Append(char c) { Append(&c, 1); }
  void Append(const char* text) { Append(text, std::strlen(text)); }
  char Last() const { return length_ ? text_[length_ - 1] : '\0'; }
  void CopyTo(char* out) const {
    std::memcpy(out, text_, length_);
    out[length_] = '\0';
  }

 private:
  char text_[_MAX_PATH] = {};
  size_t length_ = 0;
};

int Lower(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u >= 'A' && u <= 'Z' ? u - 'A' + 'a' : u;
}

}  // namespace

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext) {
  if (!path) path = "";
  const char* rest = path;
  if (rest[0] != '\0' && rest[1] == ':') rest += 2;
  CopyPart(path, rest, drive, _MAX_DRIVE);

  const char* name = rest;
  for (const char* p = rest; *p; ++p) {
    if (IsSeparator(*p)) name = p + 1;
  }
  CopyPart(rest, name, dir, _MAX_DIR);

  const char* end = name + std::strlen(name);
  const char* dot = std::strrchr(name, '.');
  if (!dot) dot = end;
  CopyPart(name, dot, fname, _MAX_FNAME);
  CopyPart(dot, end, ext, _MAX_EXT);
}

void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext) {
  if (!path) return;
  // Built aside first: a part may lie inside the buffer being written.
  PathBuilder built;
  if (drive && drive[0]) {
    built.Append(drive[0]);
    built.Append(':');
  }
  if (dir && dir[0]) {
    built.Append(dir);
    if (!IsSeparator(built.Last())) built.Append('\\');
  }
  if (fname && fname[0]) built.Append(fname);
  if (ext && ext[0]) {
    if (ext[0] != '.') built.Append('.');
    built.Append(ext);
  }
  built.CopyTo(path);
}

int _stricmp(const char* a, const char* b) {
  if (!a || !b) return _NLSCMPERROR;
  return _strnicmp(a, b, static_cast<size_t>(-1));
}

int _strnicmp(const char* a, const char* b, size_t count) {
  if (!a || !b) return _NLSCMPERROR;
  for (size_t i = 0; i < count; ++i) {
    int difference = Lower(a[i]) - Lower(b[i]);
    if (difference != 0 || a[i] == '\0') return difference;
  }
  return 0;
}
