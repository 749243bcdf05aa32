// The stand-in's file table with every call counted, for the POSIX fault
// tests of the splice and the removal: one chosen call fails with the
// error a real system gives for it, or the process ends at a chosen call
// or write, as a kill or a power cut would end it.
#pragma once

namespace fault_test {

struct FaultPlan {
  int failAt = 0;        // the call that fails (from 1; 0: none)
  int abortAtCall = 0;   // the call before which the process ends (0: none)
  int abortAtWrite = 0;  // the write before which the process ends (0: none)
  // A file system that cannot copy inside the kernel.
  bool noKernelCopy = false;
};

// Counts of the run in progress, or of the last one.
extern int calls;
extern int writes;

// Puts the counting table in place for one run; EndRun puts the system's
// calls back.
void BeginRun(const FaultPlan& plan);
void EndRun();

}  // namespace fault_test
