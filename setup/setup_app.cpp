// The launcher's application object, and its one instance.
#include "setup_app.h"

#include <iterator>

#include "setup_dialog.h"

const MessageMapEntry SetupApp::messageEntries[] = {
    OnCommand<CWinApp>(ID_HELP, 0, &CWinApp::OnHelp),
};
const MessageMap SetupApp::messageMap = {&CWinApp::messageMap, messageEntries, std::size(messageEntries)};

SetupApp::SetupApp() : CWinApp(nullptr) {}

BOOL SetupApp::InitInstance() {
  Enable3dControlsStatic();
  SetupDialog dialog;
  m_pMainWnd = &dialog;
  dialog.DoModal();
  return FALSE;
}
