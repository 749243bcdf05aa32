// The stand-in's file table with every call counted, for the POSIX fault
// tests of the splice and the removal: one chosen call fails with the
// error a real system gives for it, or the process ends at a chosen call
// or write, as a kill or a power cut would end it.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace fault_test {

struct FaultPlan {
  int failAt = 0;        // the call that fails (from 1; 0: none)
  int abortAtCall = 0;   // the call before which the process ends (0: none)
  int abortAtWrite = 0;  // the write before which the process ends (0: none)
  // That write puts half its bytes first, as a write cut short by the end.
  bool halfWriteBeforeAbort = false;
  // Runs before the call numbered hookAt, as another program acting then.
  int hookAt = 0;
  std::function<void()> hook;
};

// Counts of the run in progress, or of the last one.
extern int calls;
extern int writes;
// The name of each call of that run ("open", "write", "renameNoReplace", ...).
extern std::vector<std::string> callNames;

// Puts the counting table in place for one run; EndRun puts the system's
// calls back.
void BeginRun(const FaultPlan& plan);
void EndRun();

// Runs `run` in a child process without a core dump; true when the child
// ended by abort(), as a run ended by its plan does.
bool EndsByAbort(const std::function<void()>& run);

// Makes the program's temporary files in `directory` (ending in a
// separator) an hour old, so that the next run takes them for an ended
// run's; returns how many there were.
int AgeTemporaryFiles(const std::string& directory);

}  // namespace fault_test
