// Windows only: replaces, for the life of the object, the address of a
// function that this program imports from a system DLL, so that a test can
// count or steer the program's own calls into the system (for instance make
// DdeInitializeA fail, which a real system never does on request).
#pragma once

namespace import_patch {

class ImportPatch {
 public:
  ImportPatch(const char* dll, const char* function, void* replacement);
  ~ImportPatch();
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;

  // False when the program does not import the function from the DLL.
  bool active() const { return slot_ != nullptr; }
  // The system's function, to call through from a replacement.
  void* original() const { return original_; }

 private:
  void** slot_ = nullptr;
  void* original_ = nullptr;
};

}  // namespace import_patch
