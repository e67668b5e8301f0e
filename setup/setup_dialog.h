// The launcher's main window: template 102 with the splash picture, the
// instructions and four buttons. Install Software opens the configured
// installation only after Setup Instructions has been pressed and the user
// has then confirmed having read the instructions.
#pragma once

#include "dialog.h"
#include "resource.h"

// Set by Setup Instructions, never cleared; 0 at the start of every run.
extern bool instructionsRead;

class SetupDialog : public CDialog {
 public:
  explicit SetupDialog(CWnd* parent = nullptr);
  ~SetupDialog() override;

  const MessageMap* GetMessageMap() const override { return &messageMap; }
  BOOL OnInitDialog() override;

  void OnPaint();
  void* OnQueryDragIcon();
  void OnExit();
  void OnInstallSoftware();
  void OnSetupInstructions();
  void OnAbout();

 protected:
  void DoDataExchange(CDataExchange* exchange) override;

  platform::Icon m_hIcon;

  static const MessageMapEntry messageEntries[];
  static const MessageMap messageMap;
};
