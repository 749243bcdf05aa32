// Under Wine: every call that an operation on the bookmark file makes into
// the system's file functions is made to fail in turn, through the
// program's import table. After each run the bookmark file is the old text
// or a whole new one, an existing backup is unchanged, and no temporary
// file is left beside the bookmark file unless its deletion was itself
// refused. The ways calls fail, and the operations and profiles they are
// tried on, are tables below.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "installer/chromium/ChromiumBookmarks.h"
#include "testing/ImportPatch.h"
#include "tests/splicer/ProgramImportsWin32.h"
#include "tests/splicer/RemoveTestSupport.h"
#include "tests/splicer/SplicerTestSupport.h"

namespace {

using namespace splicer_test;

// The file functions the installer imports from kernel32.
enum Function {
  kCreateFile,
  kGetFileSize,
  kReadFile,
  kWriteFile,
  kFlushFileBuffers,
  kCloseHandle,
  kGetFileAttributes,
  kGetFileAttributesEx,
  kMoveFileEx,
  kDeleteFile,
  kGetFinalPathNameByHandle,
  kFunctionCount
};

struct FileFunction {
  const char* name;
  DWORD error;  // what GetLastError gives after a failed call
};

// Errors a real system gives for these calls: a full disk, a device that
// fails, a file held or refused by another program. MoveFileExA gets the
// error of a held file, which the program answers by trying again.
constexpr FileFunction kFileFunctions[kFunctionCount] = {
    {"CreateFileA", ERROR_ACCESS_DENIED},
    {"GetFileSize", ERROR_ACCESS_DENIED},
    {"ReadFile", ERROR_READ_FAULT},
    {"WriteFile", ERROR_DISK_FULL},
    {"FlushFileBuffers", ERROR_WRITE_FAULT},
    {"CloseHandle", ERROR_WRITE_FAULT},
    {"GetFileAttributesA", ERROR_ACCESS_DENIED},
    {"GetFileAttributesExA", ERROR_ACCESS_DENIED},
    {"MoveFileExA", ERROR_ACCESS_DENIED},
    {"DeleteFileA", ERROR_ACCESS_DENIED},
    {"GetFinalPathNameByHandleA", ERROR_NOT_ENOUGH_MEMORY},
};

// Bounds for the calls of a run in good order.
constexpr int kSaneCalls[2] = {20, 100};

struct Call {
  Function function;
  std::string file;  // the file it concerns, by name
  bool failed;       // made to fail, or cut short
  bool succeeded;    // what the program was told
};

// How the calls from call n on fail.
struct FaultMode {
  const char* name;
  int failCount;  // calls in a row that fail
  // A failing ReadFile or WriteFile moves half the bytes and reports success.
  bool shortTransfers;
  // A failing CreateFileA reports the file missing, as when another program
  // deletes and writes the file anew at that moment.
  bool filesVanish;
};

const FaultMode kNoFault = {"no_fault", 0, false, false};

const FaultMode kFaultModes[] = {
    {"one_call_fails", 1, false, false},
    {"two_calls_fail", 2, false, false},
    {"one_call_fails_or_cuts_short", 1, true, false},
    {"one_call_fails_an_open_finds_no_file", 1, false, true},
    // As when the disk or the network share goes away for good mid-run.
    {"every_call_from_n_fails", INT_MAX, false, false},
};

// The calls of the current run, and which of them fail: numbers failFrom
// to failFrom + mode.failCount - 1, counted from 1.
struct FaultRun {
  int failFrom = 0;
  FaultMode mode = kNoFault;
  std::vector<Call> calls;
  std::map<HANDLE, std::string> openFiles;
};
FaultRun current;
import_patch::ImportPatch* patches[kFunctionCount] = {};

template <typename F>
F Original(Function function) {
  return reinterpret_cast<F>(patches[function]->original());
}

std::string NameOf(const char* path) {
  if (path == nullptr) {
    return "";
  }
  const char* separator = std::strrchr(path, '\\');
  return separator != nullptr ? separator + 1 : path;
}

std::string NameOf(HANDLE handle) {
  auto found = current.openFiles.find(handle);
  return found != current.openFiles.end() ? found->second : "";
}

// Logs the call; true when it is to fail, with the function's error set.
bool Fails(Function function, std::string file) {
  int number = static_cast<int>(current.calls.size()) + 1;
  bool failed = current.failFrom > 0 && number >= current.failFrom &&
                number - current.failFrom < current.mode.failCount;
  current.calls.push_back({function, std::move(file), failed, false});
  if (failed) {
    SetLastError(kFileFunctions[function].error);
  }
  return failed;
}

// The system's result, noted as a success unless it is `failure`.
template <typename R>
R Noted(R result, R failure) {
  current.calls.back().succeeded = result != failure;
  return result;
}

HANDLE WINAPI FaultyCreateFile(LPCSTR path, DWORD access, DWORD sharing,
                               LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                               HANDLE model) {
  if (Fails(kCreateFile, NameOf(path))) {
    if (current.mode.filesVanish) SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  HANDLE file = Original<decltype(&CreateFileA)>(kCreateFile)(path, access, sharing, security,
                                                              disposition, flags, model);
  if (file != INVALID_HANDLE_VALUE) {
    current.openFiles[file] = NameOf(path);
  }
  return Noted(file, INVALID_HANDLE_VALUE);
}

DWORD WINAPI FaultyGetFileSize(HANDLE file, LPDWORD high) {
  if (Fails(kGetFileSize, NameOf(file))) {
    return INVALID_FILE_SIZE;
  }
  return Noted<DWORD>(Original<decltype(&GetFileSize)>(kGetFileSize)(file, high),
                      INVALID_FILE_SIZE);
}

BOOL WINAPI FaultyReadFile(HANDLE file, LPVOID bytes, DWORD size, LPDWORD got,
                           LPOVERLAPPED overlapped) {
  if (Fails(kReadFile, NameOf(file))) {
    // As when the file shrinks between its sizing and its reading.
    if (current.mode.shortTransfers && size > 1) {
      return Noted<BOOL>(
          Original<decltype(&ReadFile)>(kReadFile)(file, bytes, size / 2, got, overlapped), FALSE);
    }
    if (got != nullptr) *got = 0;
    return FALSE;
  }
  return Noted<BOOL>(Original<decltype(&ReadFile)>(kReadFile)(file, bytes, size, got, overlapped),
                     FALSE);
}

BOOL WINAPI FaultyWriteFile(HANDLE file, LPCVOID bytes, DWORD size, LPDWORD written,
                            LPOVERLAPPED overlapped) {
  if (Fails(kWriteFile, NameOf(file))) {
    if (current.mode.shortTransfers && size > 1) {
      return Noted<BOOL>(
          Original<decltype(&WriteFile)>(kWriteFile)(file, bytes, size / 2, written, overlapped),
          FALSE);
    }
    if (written != nullptr) *written = 0;
    return FALSE;
  }
  return Noted<BOOL>(
      Original<decltype(&WriteFile)>(kWriteFile)(file, bytes, size, written, overlapped), FALSE);
}

BOOL WINAPI FaultyFlushFileBuffers(HANDLE file) {
  if (Fails(kFlushFileBuffers, NameOf(file))) {
    return FALSE;
  }
  return Noted<BOOL>(Original<decltype(&FlushFileBuffers)>(kFlushFileBuffers)(file), FALSE);
}

// A failing CloseHandle still closes the handle: a close that reports a
// lost delayed write has released the handle all the same, and a program
// cannot close a handle twice. Kept open, the file's sharing would block
// the program's own clean-up, a fault of the test rather than the program.
BOOL WINAPI FaultyCloseHandle(HANDLE handle) {
  std::string file = NameOf(handle);
  current.openFiles.erase(handle);
  if (Fails(kCloseHandle, file)) {
    Original<decltype(&CloseHandle)>(kCloseHandle)(handle);
    SetLastError(kFileFunctions[kCloseHandle].error);
    return FALSE;
  }
  return Noted<BOOL>(Original<decltype(&CloseHandle)>(kCloseHandle)(handle), FALSE);
}

DWORD WINAPI FaultyGetFileAttributes(LPCSTR path) {
  if (Fails(kGetFileAttributes, NameOf(path))) {
    return INVALID_FILE_ATTRIBUTES;
  }
  return Noted<DWORD>(Original<decltype(&GetFileAttributesA)>(kGetFileAttributes)(path),
                      INVALID_FILE_ATTRIBUTES);
}

BOOL WINAPI FaultyGetFileAttributesEx(LPCSTR path, GET_FILEEX_INFO_LEVELS level, LPVOID data) {
  if (Fails(kGetFileAttributesEx, NameOf(path))) {
    return FALSE;
  }
  return Noted<BOOL>(
      Original<decltype(&GetFileAttributesExA)>(kGetFileAttributesEx)(path, level, data), FALSE);
}

// A backup that another run makes just before this run's move to that name,
// and the flags of the moves to it.
struct BackupRival {
  std::string path;  // empty: no rival
  std::string text;
  std::vector<DWORD> flags;
};
BackupRival rival;

BOOL WINAPI FaultyMoveFileEx(LPCSTR from, LPCSTR to, DWORD flags) {
  if (NameOf(to) == "bkmk.qyr") {
    rival.flags.push_back(flags);
    if (!rival.path.empty()) PutFile(rival.path, rival.text);
  }
  if (Fails(kMoveFileEx, NameOf(from) + " -> " + NameOf(to))) {
    return FALSE;
  }
  return Noted<BOOL>(Original<decltype(&MoveFileExA)>(kMoveFileEx)(from, to, flags), FALSE);
}

BOOL WINAPI FaultyDeleteFile(LPCSTR path) {
  if (Fails(kDeleteFile, NameOf(path))) {
    return FALSE;
  }
  return Noted<BOOL>(Original<decltype(&DeleteFileA)>(kDeleteFile)(path), FALSE);
}

DWORD WINAPI FaultyGetFinalPathNameByHandle(HANDLE file, LPSTR path, DWORD size, DWORD flags) {
  if (Fails(kGetFinalPathNameByHandle, NameOf(file))) {
    return 0;
  }
  return Noted<DWORD>(Original<decltype(&GetFinalPathNameByHandleA)>(kGetFinalPathNameByHandle)(
                          file, path, size, flags),
                      0);
}

void* const kReplacements[kFunctionCount] = {
    reinterpret_cast<void*>(&FaultyCreateFile),
    reinterpret_cast<void*>(&FaultyGetFileSize),
    reinterpret_cast<void*>(&FaultyReadFile),
    reinterpret_cast<void*>(&FaultyWriteFile),
    reinterpret_cast<void*>(&FaultyFlushFileBuffers),
    reinterpret_cast<void*>(&FaultyCloseHandle),
    reinterpret_cast<void*>(&FaultyGetFileAttributes),
    reinterpret_cast<void*>(&FaultyGetFileAttributesEx),
    reinterpret_cast<void*>(&FaultyMoveFileEx),
    reinterpret_cast<void*>(&FaultyDeleteFile),
    reinterpret_cast<void*>(&FaultyGetFinalPathNameByHandle),
};

// The replacements stand in the import table for the life of the object
// only, so that the test's own file work around a run is not counted.
class FaultyFiles {
 public:
  FaultyFiles() {
    for (int i = 0; i < kFunctionCount; ++i) {
      patches_[i] = std::make_unique<import_patch::ImportPatch>(
          "kernel32.dll", kFileFunctions[i].name, kReplacements[i]);
      patches[i] = patches_[i].get();
    }
  }
  ~FaultyFiles() {
    for (int i = kFunctionCount - 1; i >= 0; --i) {
      patches_[i].reset();
      patches[i] = nullptr;
    }
  }
  FaultyFiles(const FaultyFiles&) = delete;
  FaultyFiles& operator=(const FaultyFiles&) = delete;

  // The names of the functions the program does not import.
  std::string Missing() const {
    std::string missing;
    for (int i = 0; i < kFunctionCount; ++i) {
      if (!patches_[i]->active()) missing += std::string(" ") + kFileFunctions[i].name;
    }
    return missing;
  }

 private:
  std::unique_ptr<import_patch::ImportPatch> patches_[kFunctionCount];
};

// What an operation may leave in the bookmark file besides its old text.
struct Outcome {
  const char* label;
  std::string (*text)();
  // Allowed only when a call on this file failed; null: always.
  const char* onlyAfterFailureOn;
  // A new text that differs from run to run (the time and fresh ids of a
  // Chromium-family install) is known by this instead of by its bytes.
  bool (*matches)(const std::string& bytes) = nullptr;
};

bool SameOutcome(const Outcome& outcome, const std::string& text, const std::string& bytes) {
  return outcome.matches != nullptr ? outcome.matches(bytes) : bytes == text;
}

std::string ChromiumOriginal() {
  return *FileBytes(TargetPath(CHROMIUM_DATA_DIR "/everyday.json"));
}

// The whole installed Chromium-family text: both copies in, and taking them
// out gives the original back.
bool ChromiumInstalled(const std::string& bytes) {
  installer::chromium::RemovalResult removal = installer::chromium::Remove(bytes);
  return removal.status == installer::chromium::StoreStatus::kDone && removal.removedFolders == 2 &&
         removal.leftAlone.empty() && removal.Text() == ChromiumOriginal();
}

// The installed file of a run in good order, made once per process.
std::string ChromiumInstalledOnce() {
  static const std::string text = [] {
    std::string dir = FreshDirectory("win32_faults_chromium_installed");
    PutFile(dir + "Bookmarks", ChromiumOriginal());
    RunSplicer(dir + "Bookmarks", ProductDir());
    return FileBytes(dir + "Bookmarks").value_or("");
  }();
  return text;
}

// An operation on a profile's bookmark file, run with the product directory
// of the tests. The first outcome is that of a run in good order.
struct Operation {
  const char* name;
  const char* fileName;  // of the bookmark file
  std::string (*bookmarkBefore)();
  void (*run)(const std::string& bookmarkPath);
  std::vector<Outcome> outcomes;
  // Makes bkmk.qyr from the old text when there is none, and changes the
  // bookmark file only with one beside it. Otherwise bkmk.qyr is never
  // touched.
  bool makesBackup;
};

// Another operation on the bookmark file joins as a row of its own, with
// the text it starts from and the texts it may leave.
const Operation kOperations[] = {
    {"splice",
     "bookmark.htm",
     [] { return Data("bookmark.htm"); },
     [](const std::string& bookmarkPath) { RunSplicer(bookmarkPath, ProductDir()); },
     {{"new", [] { return Expected("work.htm"); }, nullptr},
      // prefs.js unread: the toolbar folder is made at the end instead.
      {"new without prefs.js", [] { return Expected("new-ptf.htm"); }, "prefs.js"}},
     true},
    {"removal",
     "bookmark.htm",
     [] { return Expected("work.htm"); },
     [](const std::string& bookmarkPath) { RunRemover(bookmarkPath); },
     {{"new", [] { return Data("bookmark.htm"); }, nullptr}},
     false},
    // The Chromium family's Bookmarks file, through the same file routine.
    {"chromium_install",
     "Bookmarks",
     ChromiumOriginal,
     [](const std::string& bookmarkPath) { RunSplicer(bookmarkPath, ProductDir()); },
     {{"new", ChromiumInstalledOnce, nullptr, ChromiumInstalled}},
     true},
    {"chromium_removal",
     "Bookmarks",
     ChromiumInstalledOnce,
     [](const std::string& bookmarkPath) { RunRemover(bookmarkPath); },
     {{"new", ChromiumOriginal, nullptr}},
     false},
};

struct Profile {
  const char* name;
  const char* earlierBackup;  // data file already in place as bkmk.qyr; null: none
};

const Profile kProfiles[] = {
    {"first_run", nullptr},
    {"earlier_backup", "old-bookmark.htm"},
};

struct Case {
  const Operation* operation;
  const Profile* profile;
  const FaultMode* mode;
  std::string Name() const {
    return std::string(operation->name) + "_" + profile->name + "_" + mode->name;
  }
};

void PrintTo(const Case& row, std::ostream* out) { *out << row.Name(); }

std::vector<Case> AllCases() {
  std::vector<Case> cases;
  for (const Operation& operation : kOperations) {
    for (const Profile& profile : kProfiles) {
      for (const FaultMode& mode : kFaultModes) {
        cases.push_back({&operation, &profile, &mode});
      }
    }
  }
  return cases;
}

bool FailedOn(const std::vector<Call>& calls, const std::string& file) {
  for (const Call& call : calls) {
    if (call.failed && call.file == file) return true;
  }
  return false;
}

// Whether the call at `at` closes a handle that nothing was written through.
bool ClosesUnwritten(const std::vector<Call>& calls, size_t at) {
  return calls[at].function == kCloseHandle &&
         std::none_of(calls.begin(), calls.begin() + at, [&](const Call& call) {
           return call.function == kWriteFile && call.file == calls[at].file;
         });
}

// Whether a later call opens the file of the call at `at` and reads it.
bool ReadAfterwards(const std::vector<Call>& calls, size_t at) {
  auto opened = std::find_if(calls.begin() + at + 1, calls.end(), [&](const Call& call) {
    return call.function == kCreateFile && call.file == calls[at].file && call.succeeded;
  });
  return std::any_of(opened, calls.end(), [&](const Call& call) {
    return call.function == kReadFile && call.file == calls[at].file && call.succeeded;
  });
}

// A failure that loses nothing, so that a run may go on to the new text:
// a call that fails in a run in good order too (the look for a backup when
// there is none), closing a handle nothing was written through, an open
// of a file the run then opens and reads all the same (the look for the
// file behind links), or a replace that a later attempt made all the same.
// Any other failure must leave the old text.
bool Harmless(const std::vector<Call>& calls, size_t at, const std::vector<Call>& clean) {
  const Call& failed = calls[at];
  // While every failure so far is one the run in good order met too, or a
  // close that changes nothing, a run makes the calls of the run in good
  // order.
  bool asClean = at < clean.size();
  for (size_t i = 0; asClean && i <= at; ++i) {
    asClean = calls[i].function == clean[i].function && calls[i].file == clean[i].file &&
              (!calls[i].failed || !clean[i].succeeded || ClosesUnwritten(calls, i));
  }
  if (asClean) {
    return true;
  }
  if (failed.function == kCloseHandle) {
    return ClosesUnwritten(calls, at);
  }
  if (failed.function == kCreateFile && ReadAfterwards(calls, at)) {
    return true;
  }
  if (failed.function == kMoveFileEx) {
    return std::any_of(calls.begin() + at + 1, calls.end(), [](const Call& call) {
      return call.function == kMoveFileEx && !call.failed;
    });
  }
  return false;
}

// Every failed call is harmless, or concerns `allowedFile` (null: none).
bool OnlyHarmlessFailures(const std::vector<Call>& calls, const std::vector<Call>& clean,
                          const char* allowedFile) {
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].failed && !Harmless(calls, i, clean) &&
        (allowedFile == nullptr || calls[i].file != allowedFile)) {
      return false;
    }
  }
  return true;
}

// Temporary files of the run whose deletion was refused: nothing can
// remove them.
std::vector<std::string> Undeletable(const std::vector<Call>& calls) {
  std::vector<std::string> names;
  for (const Call& call : calls) {
    bool temporary = call.file.rfind("bkmk-", 0) == 0 && call.file.size() > 4 &&
                     call.file.compare(call.file.size() - 4, 4, ".qyn") == 0;
    if (call.function == kCreateFile && temporary && FailedOn(calls, call.file)) {
      bool refused = std::any_of(calls.begin(), calls.end(), [&](const Call& other) {
        return other.function == kDeleteFile && other.failed && other.file == call.file;
      });
      if (refused) names.push_back(call.file);
    }
  }
  return names;
}

std::string Describe(const std::vector<Call>& calls) {
  std::string text;
  for (size_t i = 0; i < calls.size(); ++i) {
    char number[16];
    std::snprintf(number, sizeof number, "%3zu ", i + 1);
    text += std::string("\n  ") + number + kFileFunctions[calls[i].function].name + " " +
            calls[i].file + (!calls[i].succeeded ? "  <- fails" : "") +
            (calls[i].failed ? calls[i].succeeded ? " <- cut short" : " (made to)" : "");
  }
  return text;
}

class SpliceFaultWin32Test : public testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    dir_ = FreshDirectory("win32_faults_" + GetParam().Name());
    const Operation& operation = *GetParam().operation;
    before_ = operation.bookmarkBefore();
    for (const Outcome& outcome : operation.outcomes) outcomes_.push_back(outcome.text());
    prefs_ = Data("prefs-work.js");
    if (GetParam().profile->earlierBackup) backup_ = Data(GetParam().profile->earlierBackup);
  }

  void Prepare() {
    for (const std::string& name : FilesIn(dir_)) {
      ASSERT_TRUE(DeleteFileA((dir_ + name).c_str())) << name;
    }
    PutFile(Bookmark(), before_);
    PutFile(dir_ + "prefs.js", prefs_);
    if (backup_) PutFile(dir_ + "bkmk.qyr", *backup_);
  }

  // One run with calls failFrom .. failFrom + failCount - 1 failing; the
  // calls it made.
  std::vector<Call> Run(int failFrom, const FaultMode& mode) {
    current = FaultRun{failFrom, mode, {}, {}};
    {
      FaultyFiles files;
      GetParam().operation->run(Bookmark());
    }
    return std::move(current.calls);
  }

  // The label of the outcome the bookmark file holds, or null when it is
  // neither old nor a whole new text allowed after these calls.
  const char* OutcomeOf(const std::optional<std::string>& bookmark,
                        const std::vector<Call>& calls) const {
    if (bookmark == before_) return "old";
    const std::vector<Outcome>& outcomes = GetParam().operation->outcomes;
    for (size_t i = 0; i < outcomes.size(); ++i) {
      const char* file = outcomes[i].onlyAfterFailureOn;
      if (bookmark && SameOutcome(outcomes[i], outcomes_[i], *bookmark) &&
          (file == nullptr || FailedOn(calls, file)) && OnlyHarmlessFailures(calls, clean_, file)) {
        return outcomes[i].label;
      }
    }
    return nullptr;
  }

  // The files in the profile's directory but those no run could remove.
  std::vector<std::string> FilesLeft(const std::vector<Call>& calls) const {
    std::vector<std::string> files = FilesIn(dir_);
    for (const std::string& temp : Undeletable(calls)) {
      files.erase(std::remove(files.begin(), files.end(), temp), files.end());
    }
    return files;
  }

  // Backup and the other files of the profile after a run.
  void ExpectProfileKept(const std::string& when, bool changed, const std::vector<Call>& calls) {
    std::optional<std::string> backup = FileBytes(dir_ + "bkmk.qyr");
    if (backup_ || !GetParam().operation->makesBackup) {
      EXPECT_EQ(backup, backup_) << when << ": bkmk.qyr changed";
    } else {
      EXPECT_TRUE(!backup || backup == before_) << when << ": the backup is not the old text";
      EXPECT_TRUE(backup || !changed) << when << ": changed without a backup";
    }
    EXPECT_EQ(FileBytes(dir_ + "prefs.js"), prefs_) << when;

    std::vector<std::string> expected = {GetParam().operation->fileName, "prefs.js"};
    if (backup) expected.push_back("bkmk.qyr");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesLeft(calls), expected) << when << ": files left" << Describe(calls);
  }

  // A later run in good order completes what a failed one left.
  void ExpectRecovery(const std::string& when, const std::vector<Call>& calls) {
    std::optional<std::string> left = FileBytes(Bookmark());
    GetParam().operation->run(Bookmark());
    std::optional<std::string> now = FileBytes(Bookmark());
    if (left == before_) {
      EXPECT_TRUE(now && SameOutcome(GetParam().operation->outcomes[0], outcomes_[0], *now))
          << when << ", then a run in good order";
    } else {
      EXPECT_EQ(now, left) << when << ", then a run in good order";
    }
    bool makesBackup = GetParam().operation->makesBackup;
    EXPECT_EQ(FileBytes(dir_ + "bkmk.qyr"), backup_ || !makesBackup ? backup_ : before_) << when;
    std::vector<std::string> expected = {GetParam().operation->fileName, "prefs.js"};
    if (backup_ || makesBackup) expected.push_back("bkmk.qyr");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesLeft(calls), expected) << when << ", then a run in good order";
  }

  // Runs the operation once for every n from 1 to the calls of a run in
  // good order, with calls from call n on failing as the mode has it.
  void RunMatrix() {
    const FaultMode& mode = *GetParam().mode;
    ASSERT_EQ(FaultyFiles().Missing(), "") << "file functions the program does not import";
    Prepare();
    clean_ = Run(0, kNoFault);
    std::optional<std::string> cleanText = FileBytes(Bookmark());
    ASSERT_TRUE(cleanText &&
                SameOutcome(GetParam().operation->outcomes[0], outcomes_[0], *cleanText))
        << Describe(clean_);
    const int total = static_cast<int>(clean_.size());
    std::printf("%s: a run in good order makes N = %d file calls:%s\n", GetParam().Name().c_str(),
                total, &mode == &kFaultModes[0] ? Describe(clean_).c_str() : " as above");
    RecordProperty("file_calls", total);
    // Reading three files, writing one, and the replace; a run that makes
    // far fewer calls has bypassed the import table.
    EXPECT_GE(total, kSaneCalls[0]);
    EXPECT_LE(total, kSaneCalls[1]);

    std::map<std::string, std::vector<int>> tally;  // the n that gave each outcome
    for (int n = 1; n <= total; ++n) {
      ASSERT_NO_FATAL_FAILURE(Prepare());
      std::vector<Call> calls = Run(n, mode);
      // Up to the first failure a run makes the same calls as one in good order.
      ASSERT_GE(calls.size(), static_cast<size_t>(n)) << Describe(calls);
      std::string when = std::string(mode.name) + ", n = " + std::to_string(n) + " of " +
                         std::to_string(total) + " (" + kFileFunctions[calls[n - 1].function].name +
                         " " + calls[n - 1].file + ")";
      std::optional<std::string> bookmark = FileBytes(Bookmark());
      const char* outcome = OutcomeOf(bookmark, calls);
      EXPECT_NE(outcome, nullptr)
          << when
          << ": the bookmark file is neither the old text nor a new one allowed after these calls"
          << Describe(calls);
      tally[outcome ? outcome : "broken"].push_back(n);
      ExpectProfileKept(when, bookmark != before_, calls);
      ExpectRecovery(when, calls);
    }
    std::printf("%s: %d runs\n", GetParam().Name().c_str(), total);
    for (const auto& [label, ns] : tally) {
      std::string list;
      for (int n : ns) list += " " + std::to_string(n);
      std::printf("  %zu %s:%s\n", ns.size(), label.c_str(),
                  ns.size() == 1u * total ? " all" : list.c_str());
    }
  }

  std::string Bookmark() const { return dir_ + GetParam().operation->fileName; }

  std::string dir_;
  std::string before_;
  std::vector<std::string> outcomes_;
  std::string prefs_;
  std::optional<std::string> backup_;
  std::vector<Call> clean_;  // the calls of a run in good order
};

// For every n: the old text or a whole new one, the backup kept, no
// temporary file left, and a later run in good order completes the work.
TEST_P(SpliceFaultWin32Test, CallsFromNFailing) { RunMatrix(); }

// Another run makes the backup between this run's look for one and its own
// move (of another text here, to tell the two apart): the system refuses
// the move, which never replaces, and flushes it through; the backup made
// meanwhile stays, this run's copy goes, and the splice goes on beside it.
TEST(SpliceBackupRaceWin32, ABackupMadeMeanwhileIsNeverReplaced) {
  const std::string dir = FreshDirectory("win32_backup_race");
  PutFile(dir + "bookmark.htm", Data("bookmark.htm"));
  PutFile(dir + "prefs.js", Data("prefs-work.js"));
  rival = BackupRival{dir + "bkmk.qyr", Data("old-bookmark.htm"), {}};
  current = FaultRun{};
  {
    FaultyFiles files;
    RunSplicer(dir + "bookmark.htm", ProductDir());
  }
  std::vector<DWORD> flags = rival.flags;
  rival = BackupRival{};
  EXPECT_EQ(flags, std::vector<DWORD>{MOVEFILE_WRITE_THROUGH});
  EXPECT_EQ(FileBytes(dir + "bkmk.qyr"), Data("old-bookmark.htm"));
  EXPECT_EQ(FileBytes(dir + "bookmark.htm"), Expected("work.htm"));
  EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"bkmk.qyr", "bookmark.htm", "prefs.js"}));
}

// A kernel32 function that works on files or their handles, by its name.
bool WorksOnFiles(const std::string& name) {
  static const char* const kNotFileWork[] = {
      "GetModuleFileNameA",      "GetModuleFileNameW",
      "GetSystemTimeAsFileTime", "GetSystemTimePreciseAsFileTime",
      "FileTimeToSystemTime",    "SystemTimeToFileTime",
      "FileTimeToLocalFileTime", "LocalFileTimeToFileTime",
      "CompareFileTime"};
  for (const char* other : kNotFileWork) {
    if (name == other) return false;
  }
  return name.find("File") != std::string::npos || name.rfind("CreateDirectory", 0) == 0 ||
         name.rfind("RemoveDirectory", 0) == 0 || name == "CloseHandle" ||
         name.rfind("GetFinalPathNameByHandle", 0) == 0;
}

// The matrix covers the shipped program: a file function it comes to
// import (say, to find old temporary files) must join the table above.
TEST(SpliceFaultWin32Coverage, EveryFileFunctionOfTheProgramIsMadeToFail) {
  std::optional<std::string> program = FileBytes(TargetPath(FOLDMINT_PROGRAM));
  ASSERT_TRUE(program.has_value()) << FOLDMINT_PROGRAM;
  std::optional<std::vector<std::string>> imports = ImportsFrom(*program, "kernel32.dll");
  ASSERT_TRUE(imports.has_value()) << "no import table read from " << FOLDMINT_PROGRAM;
  int covered = 0;
  for (const std::string& name : *imports) {
    if (!WorksOnFiles(name)) continue;
    bool inTable = std::any_of(std::begin(kFileFunctions), std::end(kFileFunctions),
                               [&](const FileFunction& function) { return name == function.name; });
    EXPECT_TRUE(inTable) << "the program imports " << name << ", which no run here makes fail";
    covered += inTable ? 1 : 0;
  }
  EXPECT_EQ(covered, kFunctionCount) << "the table names functions the program does not import";
}

INSTANTIATE_TEST_SUITE_P(Win32, SpliceFaultWin32Test, testing::ValuesIn(AllCases()),
                         [](const testing::TestParamInfo<Case>& info) {
                           return info.param.Name();
                         });

}  // namespace
