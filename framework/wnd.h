// A window of the framework: owns the platform window handle for as long as
// the window exists and routes its messages through the message map.
#pragma once

#include "message_map.h"
#include "platform.h"

class CWnd : public CCmdTarget {
 public:
  CWnd() = default;
  ~CWnd() override;

  platform::Window GetSafeHwnd() const { return m_hWnd; }

  // A message box owned by this window.
  int MessageBox(const char* text, const char* caption = nullptr, unsigned type = WIN_MB_OK);
  void SetWindowText(const char* text);
  intptr_t SendMessage(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0);
  // WM_SETICON: the big (caption and task bar) or the small icon.
  void SetIcon(platform::Icon icon, BOOL bigIcon);
  BOOL IsIconic() const;
  void GetClientRect(platform::Rect* rect) const;

  // Runs the map's handler for a message. Returns true when one handled it,
  // with the message's result in *result.
  virtual bool OnWndMsg(unsigned message, uintptr_t wParam, intptr_t lParam, intptr_t* result);

  platform::Window m_hWnd = nullptr;
};
