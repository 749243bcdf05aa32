// What the recording meter control writes, shared by its Windows (COM) and
// POSIX (control module) halves.
//
// QC_CONTROL_LOG names the log file; each call appends one line:
//   <dispatch id> TAB <argument> TAB <caption of the control window's
//   top-level ancestor> [TAB failed] LF
// A backslash, tab, carriage return or line feed in a text is written as
// \\, \t, \r or \n. A null string argument is written as the empty text.
// Under Windows the texts (read as UTF-16) are written in the ANSI code
// page, or in UTF-8 when QC_CONTROL_LOG_UTF8 is set, so that a text beyond
// that code page shows as it arrived.
//
// QC_CONTROL_FAIL makes the control fail on request: a comma-separated list
// of dispatch ids whose calls fail (they are still logged, marked "failed"),
// and/or "create", which makes creation (activation) fail. Under Windows
// also "init", which makes InitNew fail, and "site-later": the control does
// not ask for its client site first and refuses one given before InitNew.
#pragma once

#include <string>

namespace recording_control {

extern const char kLogVariable[];      // "QC_CONTROL_LOG"
extern const char kFailVariable[];     // "QC_CONTROL_FAIL"
extern const char kUtf8LogVariable[];  // "QC_CONTROL_LOG_UTF8"

// The dispatch ids the control answers; others are DISP_E_MEMBERNOTFOUND.
bool IsKnownMember(long dispId);

// Whether a QC_CONTROL_FAIL value asks for `what` ("create", or a dispatch
// id in decimal) to fail.
bool FailureRequested(const std::string& failValue, const std::string& what);

std::string FormatCall(long dispId, const std::string& argument, const std::string& caption,
                       bool failed);

// Appends the line to the file; nothing when the path is empty.
void AppendLine(const std::string& path, const std::string& line);

}  // namespace recording_control
