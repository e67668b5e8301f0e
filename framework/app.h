// The application object: exactly one per program, constructed before the
// entry code runs. RunApplication (called by the program's entry) runs its
// InitInstance; this layer serves dialog-based programs, so the program ends
// when InitInstance returns, whatever it returns.
#pragma once

#include "message_map.h"
#include "platform.h"

class CWnd;

class CWinApp : public CCmdTarget {
 public:
  explicit CWinApp(const char* appName = nullptr);
  ~CWinApp() override;

  // The one application object, or null before it is constructed.
  static CWinApp* Current();

  virtual BOOL InitInstance();
  // The program's exit status when it ends through RunApplication.
  virtual int ExitInstance();

  // The 3D look of dialog controls: Windows 95 and NT 4 draw it themselves,
  // so there is nothing to switch on. Always TRUE.
  BOOL Enable3dControlsStatic();
  // The framework's Help command (ID_HELP). There is no help file behind
  // this layer, so it shows nothing.
  void OnHelp();

  const char* m_pszAppName;
  platform::Instance m_hInstance = nullptr;
  CWnd* m_pMainWnd = nullptr;

  const MessageMap* GetMessageMap() const override { return &messageMap; }

 protected:
  static const MessageMap messageMap;  // no entries of its own
};

// Called by the program's entry: initialises the application object and
// returns the exit status.
int RunApplication();
