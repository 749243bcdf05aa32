// The installer's splice on a fuzzed bookmark file and prefs.js, in a
// directory of this process's own under the build tree (removed when the
// process ends), checking what the splice promises:
// - the output is the input with insertions: every input byte, in order;
// - it holds the product's folder twice, or once for a text without a list;
// - a text that already holds the marker is left exactly as it was;
// - a second splice changes nothing, and both end done;
// - the backup holds the input, and no temporary file is left beside them;
// - removal of the splice gives the input back (or, where two texts splice
//   alike, the other one: its splice is the same), but for the removal's
//   two documented exceptions.
// A text that starts with "{" (after a byte-order mark) goes to the
// Chromium-family store, whose own target fuzzes what it writes; here it
// must end done, or be refused as unreadable with the file as it was, and
// leave no temporary file.
//
// Input: the bookmark file, then (after a "--8<--" line) prefs.js; without
// that part there is no prefs.js.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "installer/InstallerApp.h"
#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/html/HtmlFolderLines.h"
#include "installer/shared/ProductFolder.h"
#include "platform/posix/FileTestHooks.h"

namespace fs = std::filesystem;

namespace {

using fuzz_input::Check;

constexpr char kProductDir[] = "/opt/Program Files/Quillary/";
constexpr const char* kMarker = installer::shared::kInstalledMarker;

// The folder block as the splice writes it for kProductDir.
const std::string& FolderBlock() {
  static const std::string block = [] {
    std::string text = installer::html::HeadingLine() + std::string(installer::html::kListOpenLine);
    for (size_t link = 0; link < installer::shared::kProductLinkCount; ++link) {
      text += std::string(installer::html::kLinkHead) + "file://" + kProductDir +
              installer::html::LinkTail(link);
    }
    return text + std::string(installer::html::kListCloseLine);
  }();
  return block;
}

// This process's own directory, made once and removed at exit.
fs::path& Scratch() {
  static fs::path directory;
  return directory;
}

void RemoveScratch() {
  std::error_code ignored;
  fs::remove_all(Scratch(), ignored);
  // The common parent goes too once no other process uses it.
  fs::remove(Scratch().parent_path(), ignored);
}

std::optional<std::string> FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Check(out.good(), "the fuzz input is written to the scratch directory");
}

std::vector<std::string> FilesIn(const fs::path& directory) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

InstallerApp& App() { return *static_cast<InstallerApp*>(AfxGetApp()); }

InstallOutcome Splice(const std::string& bookmarkPath) {
  InstallerApp& app = App();
  std::memset(app.bookmarkPath, 0, sizeof app.bookmarkPath);
  std::memset(app.productDir, 0, sizeof app.productDir);
  std::memcpy(app.bookmarkPath, bookmarkPath.data(), bookmarkPath.size());
  std::memcpy(app.productDir, kProductDir, sizeof kProductDir);
  app.outcome = InstallOutcome::kCancelled;  // a splice that notes nothing shows
  app.BookmarkSplicer();
  return app.outcome;
}

void RunSplicer(const std::string& bookmarkPath) {
  Check(Splice(bookmarkPath) == InstallOutcome::kDone, "the splice ends done");
}

// A removal takes out what a splice put in; a folder of the user's that only
// looks like the product's may be left, and said so.
void RunRemover(const std::string& bookmarkPath) {
  InstallerApp& app = App();
  std::memset(app.bookmarkPath, 0, sizeof app.bookmarkPath);
  std::memcpy(app.bookmarkPath, bookmarkPath.data(), bookmarkPath.size());
  app.outcome = InstallOutcome::kCancelled;
  app.BookmarkRemover();
  Check(app.outcome == InstallOutcome::kDone || app.outcome == InstallOutcome::kLeftAlone,
        "the removal ends done, or leaves a folder of the user's");
}

// Whether `output` is `input` with bytes inserted.
bool KeepsInOrder(std::string_view input, std::string_view output) {
  size_t at = 0;
  for (char c : input) {
    at = output.find(c, at);
    if (at == std::string_view::npos) {
      return false;
    }
    ++at;
  }
  return true;
}

size_t Occurrences(std::string_view text, std::string_view piece) {
  size_t count = 0;
  for (size_t at = text.find(piece); at != std::string_view::npos;
       at = text.find(piece, at + piece.size())) {
    ++count;
  }
  return count;
}

// Without prefs.js, removal cannot tell a CR LF after a list opening that
// is followed by one last line without a line end from the one the
// installer adds after an opening with no line end at all: it takes it for
// the installer's, as its rule says.
bool LostOnlyAmbiguousLineEnd(std::string_view input, std::string_view removed) {
  size_t lastLineEnd = input.find_last_of("\r\n");
  return lastLineEnd != std::string_view::npos && lastLineEnd >= 8 &&
         input.substr(lastLineEnd - 8, 9) == "<DL><p>\r\n" && removed.size() + 2 == input.size() &&
         removed.substr(0, lastLineEnd - 1) == input.substr(0, lastLineEnd - 1) &&
         removed.substr(lastLineEnd - 1) == input.substr(lastLineEnd + 1);
}

// A text's lines, each with its line end (CR LF, LF or a lone CR).
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    size_t end = std::min(text.find_first_of("\r\n"), text.size());
    if (end < text.size()) end += text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end);
  }
  return lines;
}

// A line without its line end and the blanks around it, in lower case.
std::string Bare(std::string_view line) {
  size_t begin = line.find_first_not_of(" \t\r\n");
  size_t end = line.find_last_not_of(" \t\r\n");
  std::string bare(begin == std::string_view::npos ? "" : line.substr(begin, end - begin + 1));
  std::transform(bare.begin(), bare.end(), bare.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return bare;
}

bool IsListTagLine(std::string_view line, const char* tag) {
  std::string bare = Bare(line);
  return bare == tag || bare == std::string(tag) + "<p>";
}

// Past a folder headed with the date of the folder the installer makes for
// the second copy whose list holds nothing but blank lines, starting at
// line `at`; 0 when there is none there.
size_t PastEmptiedDateFolder(const std::vector<std::string_view>& lines, size_t at) {
  std::string header = Bare(lines[at]);
  if (header.rfind("<dt><h3", 0) != 0 ||
      header.find(installer::shared::kHtmlToolbarFolderDate) == std::string::npos ||
      header.size() < 5 || header.compare(header.size() - 5, 5, "</h3>") != 0) {
    return 0;
  }
  size_t i = at + 1;
  if (i < lines.size() && Bare(lines[i]).rfind("<dd>", 0) == 0) ++i;
  while (i < lines.size() && Bare(lines[i]).empty()) ++i;
  if (i == lines.size() || !IsListTagLine(lines[i], "<dl>")) return 0;
  for (++i; i < lines.size() && Bare(lines[i]).empty(); ++i) {
  }
  return i < lines.size() && IsListTagLine(lines[i], "</dl>") ? i + 1 : 0;
}

// The removal's rule takes such a folder out with the product's folder
// that went from it, also when it was the user's own that the installer
// put a copy in: it cannot tell the two apart.
bool LostOnlyEmptiedDateFolders(std::string_view input, std::string_view removed);

// Either documented exception, or both.
bool LostOnlyDocumentedParts(std::string_view input, std::string_view removed) {
  if (LostOnlyAmbiguousLineEnd(input, removed) || LostOnlyEmptiedDateFolders(input, removed)) {
    return true;
  }
  size_t lastLineEnd = input.find_last_of("\r\n");
  if (lastLineEnd == std::string_view::npos || lastLineEnd < 8 ||
      input.substr(lastLineEnd - 8, 9) != "<DL><p>\r\n") {
    return false;
  }
  std::string withoutLineEnd =
      std::string(input.substr(0, lastLineEnd - 1)) + std::string(input.substr(lastLineEnd + 1));
  return LostOnlyEmptiedDateFolders(withoutLineEnd, removed);
}

bool LostOnlyEmptiedDateFolders(std::string_view input, std::string_view removed) {
  std::vector<std::string_view> in = Lines(input);
  std::vector<std::string_view> out = Lines(removed);
  size_t kept = 0;
  for (size_t i = 0; i < in.size();) {
    if (kept < out.size() && in[i] == out[kept]) {
      ++i;
      ++kept;
      continue;
    }
    size_t past = PastEmptiedDateFolder(in, i);
    if (past == 0) return false;
    i = past;
  }
  return kept == out.size();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Scratch() = fs::path(FUZZ_SCRATCH_DIR) / ("splice-" + std::to_string(getpid()));
  std::error_code error;
  fs::create_directories(Scratch(), error);
  Check(!error, "the scratch directory is made");
  std::atexit(RemoveScratch);
  // Durability is not what is fuzzed here, and a flush to disk per run
  // would cost most of the fuzzer's time.
  posix_files::systemCalls.fsync = [](int) { return 0; };
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string_view> parts = fuzz_input::SplitParts(data, size);
  std::string_view input = parts[0];
  const fs::path directory = Scratch() / "profile";
  const fs::path bookmarks = directory / "bookmark.htm";
  fs::remove_all(directory);
  fs::create_directories(directory);
  PutFile(bookmarks, input);
  std::vector<std::string> expectedFiles = {"bkmk.qyr", "bookmark.htm"};
  if (parts.size() > 1) {
    PutFile(directory / "prefs.js", parts[1]);
    expectedFiles.push_back("prefs.js");
  }

  if (installer::chromium::IsChromiumBookmarks(input)) {
    InstallOutcome outcome = Splice(bookmarks.string());
    Check(outcome == InstallOutcome::kDone || outcome == InstallOutcome::kUnreadable,
          "a store text ends done or is refused as unreadable");
    std::optional<std::string> written = FileBytes(bookmarks);
    Check(outcome == InstallOutcome::kDone || written == std::string(input),
          "a refused store text is left as it was");
    std::vector<std::string> files = FilesIn(directory);
    Check(std::find_if(files.begin(), files.end(),
                       [](const std::string& name) {
                         return name.find(".qyn") != std::string::npos ||
                                name.find(".tmp") != std::string::npos;
                       }) == files.end(),
          "no temporary file is left beside a store text");
    if (outcome == InstallOutcome::kDone) {
      RunSplicer(bookmarks.string());
      Check(FileBytes(bookmarks) == written, "a second install into the store changes nothing");
    }
    fs::remove_all(directory);
    return 0;
  }

  RunSplicer(bookmarks.string());
  std::optional<std::string> spliced = FileBytes(bookmarks);
  Check(spliced.has_value(), "the bookmark file is still there");
  Check(FileBytes(directory / "bkmk.qyr") == std::string(input), "the backup holds the input");
  Check(FilesIn(directory) == expectedFiles, "no temporary file is left");

  if (input.find(kMarker) != std::string_view::npos) {
    Check(*spliced == input, "a text holding the marker is left alone");
  } else {
    Check(KeepsInOrder(input, *spliced), "every input byte stays, in order");
    size_t folders = input.find("<DL><p>") != std::string_view::npos ? 2 : 1;
    Check(Occurrences(*spliced, FolderBlock()) == folders,
          "the folder is there twice, or once for a text without a list");
  }

  RunSplicer(bookmarks.string());
  Check(FileBytes(bookmarks) == spliced, "a second splice changes nothing");
  Check(FilesIn(directory) == expectedFiles, "no temporary file is left after the second");

  if (input.find(kMarker) == std::string_view::npos) {
    RunRemover(bookmarks.string());
    std::optional<std::string> removed = FileBytes(bookmarks);
    Check(removed.has_value(), "the bookmark file is still there after the removal");
    Check(FilesIn(directory) == expectedFiles, "no temporary file is left after the removal");
    Check(FileBytes(directory / "bkmk.qyr") == std::string(input), "the removal keeps the backup");
    if (*removed != input && !LostOnlyDocumentedParts(input, *removed)) {
      // Two texts can splice alike; removal then gives back the other one.
      RunSplicer(bookmarks.string());
      Check(FileBytes(bookmarks) == spliced,
            "removal gives back the input or a text that splices alike");
    }
  }
  fs::remove_all(directory);
  return 0;
}
