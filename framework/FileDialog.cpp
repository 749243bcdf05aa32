#include "framework/FileDialog.h"

#include <cstring>

namespace {

std::string ParseFilter(LPCSTR filter) {
  std::string pairs;
  if (filter == nullptr) {
    return pairs;
  }
  const char* p = filter;
  while (*p != '\0' && *p != '|') {
    const char* descriptionEnd = std::strchr(p, '|');
    if (descriptionEnd == nullptr) {
      descriptionEnd = p + std::strlen(p);
    }
    std::string description(p, descriptionEnd);
    p = *descriptionEnd == '|' ? descriptionEnd + 1 : descriptionEnd;
    const char* patternEnd = std::strchr(p, '|');
    if (patternEnd == nullptr) {
      patternEnd = p + std::strlen(p);
    }
    std::string pattern(p, patternEnd);
    p = *patternEnd == '|' ? patternEnd + 1 : patternEnd;
    // A filter without a pattern would show nothing at all.
    if (pattern.empty()) {
      pattern = description;
    }
    pairs += description;
    pairs.push_back('\0');
    pairs += pattern;
    pairs.push_back('\0');
  }
  if (!pairs.empty()) {
    pairs.push_back('\0');
  }
  return pairs;
}

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName,
                         DWORD dwFlags, LPCSTR lpszFilter, CWnd* pParentWnd)
    : CDialog(0, pParentWnd),
      m_bOpenFileDialog(bOpenFileDialog),
      m_dwFlags(dwFlags),
      m_strDefExt(lpszDefExt != nullptr ? lpszDefExt : ""),
      m_strFilter(ParseFilter(lpszFilter)),
      m_szFileName{} {
  // A name too long for the buffer is no name to start from.
  if (lpszFileName != nullptr && std::strlen(lpszFileName) < sizeof m_szFileName) {
    std::strcpy(m_szFileName, lpszFileName);
  }
}
