// The launcher's application object: runs the main dialog modally, and the
// program ends when the dialog does.
#pragma once

#include "app.h"

class SetupApp : public CWinApp {
 public:
  SetupApp();
  BOOL InitInstance() override;
  const MessageMap* GetMessageMap() const override { return &messageMap; }

 protected:
  static const MessageMapEntry messageEntries[];
  static const MessageMap messageMap;
};
