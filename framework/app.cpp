// The application object and the program's run.
#include "app.h"

namespace {
CWinApp* currentApp = nullptr;
}

const MessageMap CWinApp::messageMap = {&CCmdTarget::messageMap, nullptr, 0};

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName) { currentApp = this; }

CWinApp::~CWinApp() {
  if (currentApp == this) currentApp = nullptr;
}

CWinApp* CWinApp::Current() { return currentApp; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

BOOL CWinApp::Enable3dControlsStatic() { return TRUE; }

void CWinApp::OnHelp() {}

int RunApplication() {
  CWinApp* app = CWinApp::Current();
  if (!app) return 1;
  app->m_hInstance = platform::ModuleInstance();
  app->InitInstance();
  return app->ExitInstance();
}
