// A program that shows string 3 of its string table in a message box, as
// the launcher does when no browser is running, and exits with the answer.
#include "framework/Framework.h"

namespace {

class ShowMessageBoxApp : public CWinApp {
 public:
  BOOL InitInstance() override {
    answer_ = AfxMessageBox(3, MB_ICONEXCLAMATION);
    return FALSE;
  }
  int ExitInstance() override { return answer_; }

 private:
  int answer_ = 0;
};

ShowMessageBoxApp theApp;

}  // namespace
