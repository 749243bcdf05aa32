// CFileDialog on POSIX: a prompt for a path on the dialogs' terminal.
#include "framework/FileDialog.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "framework/posix/DialogTerminal.h"

namespace {

// The filter descriptions, for the prompt: "*.htm" or "*.htm, *.txt".
std::string Descriptions(const std::string& filter) {
  std::string shown;
  for (size_t at = 0; at < filter.size() && filter[at] != '\0';) {
    std::string description = filter.c_str() + at;
    at += description.size() + 1;
    at += std::strlen(filter.c_str() + at) + 1;  // the pattern
    shown += (shown.empty() ? "" : ", ") + description;
  }
  return shown;
}

std::string Absolute(const std::string& name) {
  if (!name.empty() && name[0] == '/') {
    return name;
  }
  char directory[4096];
  if (getcwd(directory, sizeof directory) == nullptr) {
    return name;
  }
  std::string path = directory;
  if (path.empty() || path.back() != '/') {
    path += '/';
  }
  return path + name;
}

bool HasExtension(const std::string& path) {
  size_t slash = path.find_last_of('/');
  size_t dot = path.find_last_of('.');
  return dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
}

}  // namespace

int CFileDialog::DoModal() {
  FILE* out = posix_dialogs::DialogOutput();
  std::string filters = Descriptions(m_strFilter);
  for (;;) {
    std::fprintf(out, "%s%s%s%s\n", m_bOpenFileDialog ? "Open" : "Save As",
                 filters.empty() ? "" : " (", filters.c_str(), filters.empty() ? "" : ")");
    std::fprintf(out, "File name: [%s]\n", m_szFileName);
    if (posix_dialogs::DialogInputIsTerminal()) {
      std::fprintf(out, "(Enter: this name; a typed line: another; Ctrl-D cancels)\n");
    }
    std::fprintf(out, "> ");
    std::fflush(out);
    std::string line;
    bool read = posix_dialogs::ReadDialogLine(&line);
    // Input that is not typed, and a typed Ctrl-D, leave the line unended.
    if (!read || !posix_dialogs::DialogInputIsTerminal()) {
      std::fprintf(out, "\n");
    }
    if (!read) {
      return IDCANCEL;
    }
    std::string name = line.empty() ? std::string(m_szFileName) : line;
    if (name.empty()) {
      continue;  // as the system dialog, nothing to open yet
    }
    std::string path = Absolute(name);
    if (!m_strDefExt.empty() && !HasExtension(path)) {
      path += "." + m_strDefExt;
    }
    // As the system dialog with a buffer too small: no choice is made.
    if (path.size() >= sizeof m_szFileName) {
      return IDCANCEL;
    }
    std::memcpy(m_szFileName, path.c_str(), path.size() + 1);
    return IDOK;
  }
}
