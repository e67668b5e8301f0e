// Window basics: message boxes, caption, icons, message dispatch.
#include "wnd.h"

#include "app.h"

CWnd::~CWnd() {
  // A window that goes away stops being the application's main window.
  CWinApp* app = CWinApp::Current();
  if (app && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
}

int CWnd::MessageBox(const char* text, const char* caption, unsigned type) {
  return platform::MessageBox(m_hWnd, text, caption, type);
}

void CWnd::SetWindowText(const char* text) { platform::SetWindowText(m_hWnd, text); }

intptr_t CWnd::SendMessage(unsigned message, uintptr_t wParam, intptr_t lParam) {
  return platform::SendMessage(m_hWnd, message, wParam, lParam);
}

void CWnd::SetIcon(platform::Icon icon, BOOL bigIcon) {
  SendMessage(WIN_WM_SETICON, bigIcon ? WIN_ICON_BIG : WIN_ICON_SMALL, reinterpret_cast<intptr_t>(icon));
}

BOOL CWnd::IsIconic() const { return platform::IsIconic(m_hWnd) ? TRUE : FALSE; }

void CWnd::GetClientRect(platform::Rect* rect) const { platform::GetClientRect(m_hWnd, rect); }

bool CWnd::OnWndMsg(unsigned message, uintptr_t wParam, intptr_t lParam, intptr_t* result) {
  (void)lParam;
  unsigned notification = 0;
  int id = 0;
  if (message == WIN_WM_COMMAND) {
    id = static_cast<int>(wParam & 0xFFFF);
    notification = static_cast<unsigned>((wParam >> 16) & 0xFFFF);
  }
  const MessageMapEntry* entry = FindEntry(message, notification, id);
  if (!entry) return false;
  *result = CallHandler(*entry);
  return true;
}
