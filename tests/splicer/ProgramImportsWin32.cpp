#include "tests/splicer/ProgramImportsWin32.h"

#include <windows.h>

#include <cstddef>
#include <cstring>

namespace splicer_test {

namespace {

// A PE file read as bytes: addresses relative to the image found through
// its section table, every read bounded by the file's size.
class ImageBytes {
 public:
  explicit ImageBytes(const std::string& bytes) : bytes_(bytes) {}

  bool Load() {
    auto* dos = At<IMAGE_DOS_HEADER>(0);
    if (dos == nullptr || dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
    nt_ = At<IMAGE_NT_HEADERS64>(static_cast<size_t>(dos->e_lfanew));
    if (nt_ == nullptr || nt_->Signature != IMAGE_NT_SIGNATURE ||
        nt_->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
      return false;
    }
    sectionsAt_ = static_cast<size_t>(dos->e_lfanew) +
                  offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                  nt_->FileHeader.SizeOfOptionalHeader;
    return true;
  }

  DWORD ImportDirectory() const {
    return nt_->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  }

  template <typename T>
  const T* AtAddress(DWORD address) const {
    std::optional<size_t> offset = OffsetOf(address);
    return offset ? At<T>(*offset) : nullptr;
  }

  // The NUL-terminated text at the address, or null.
  const char* TextAt(DWORD address) const {
    std::optional<size_t> offset = OffsetOf(address);
    if (!offset || std::memchr(bytes_.data() + *offset, '\0', bytes_.size() - *offset) == nullptr) {
      return nullptr;
    }
    return bytes_.data() + *offset;
  }

 private:
  template <typename T>
  const T* At(size_t offset) const {
    if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) return nullptr;
    return reinterpret_cast<const T*>(bytes_.data() + offset);
  }

  std::optional<size_t> OffsetOf(DWORD address) const {
    for (WORD i = 0; i < nt_->FileHeader.NumberOfSections; ++i) {
      auto* section = At<IMAGE_SECTION_HEADER>(sectionsAt_ + i * sizeof(IMAGE_SECTION_HEADER));
      if (section == nullptr) return std::nullopt;
      DWORD size = section->SizeOfRawData;
      if (address >= section->VirtualAddress && address - section->VirtualAddress < size) {
        size_t offset = section->PointerToRawData + (address - section->VirtualAddress);
        if (offset < bytes_.size()) return offset;
        return std::nullopt;
      }
    }
    return std::nullopt;
  }

  const std::string& bytes_;
  const IMAGE_NT_HEADERS64* nt_ = nullptr;
  size_t sectionsAt_ = 0;
};

}  // namespace

std::optional<std::vector<std::string>> ImportsFrom(const std::string& programBytes,
                                                    const char* dll) {
  ImageBytes image(programBytes);
  if (!image.Load() || image.ImportDirectory() == 0) return std::nullopt;
  std::vector<std::string> names;
  for (DWORD at = image.ImportDirectory();; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    auto* import = image.AtAddress<IMAGE_IMPORT_DESCRIPTOR>(at);
    if (import == nullptr) return std::nullopt;
    if (import->Name == 0) break;
    const char* name = image.TextAt(import->Name);
    if (name == nullptr) return std::nullopt;
    if (_stricmp(name, dll) != 0) continue;
    DWORD thunks =
        import->OriginalFirstThunk != 0 ? import->OriginalFirstThunk : import->FirstThunk;
    for (;; thunks += sizeof(IMAGE_THUNK_DATA64)) {
      auto* thunk = image.AtAddress<IMAGE_THUNK_DATA64>(thunks);
      if (thunk == nullptr) return std::nullopt;
      if (thunk->u1.AddressOfData == 0) break;
      if (IMAGE_SNAP_BY_ORDINAL64(thunk->u1.Ordinal)) continue;
      const char* function = image.TextAt(static_cast<DWORD>(thunk->u1.AddressOfData) +
                                          offsetof(IMAGE_IMPORT_BY_NAME, Name));
      if (function == nullptr) return std::nullopt;
      names.push_back(function);
    }
  }
  return names;
}

}  // namespace splicer_test
