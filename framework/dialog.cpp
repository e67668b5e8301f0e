// Modal dialogs: the dialog procedure, default OK, Cancel and Help handling.
#include "dialog.h"

#include <iterator>

#include "app.h"

const MessageMapEntry CDialog::messageEntries[] = {
    OnButtonClicked<CDialog>(WIN_IDOK, &CDialog::OnOK),
    OnButtonClicked<CDialog>(WIN_IDCANCEL, &CDialog::OnCancel),
    OnMessage<CDialog>(WIN_WM_HELP, &CDialog::OnHelpInfo),
};
const MessageMap CDialog::messageMap = {&CCmdTarget::messageMap, messageEntries, std::size(messageEntries)};

CDialog::CDialog(int templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

intptr_t CDialog::DoModal() {
  platform::Window owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  intptr_t result = platform::DialogBoxParam(platform::ModuleInstance(), m_nIDTemplate, owner, &CDialog::DialogProc,
                                             reinterpret_cast<intptr_t>(this));
  m_hWnd = nullptr;
  return result;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::EndDialog(intptr_t result) { platform::EndDialog(m_hWnd, result); }

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange exchange{this, saveAndValidate};
  DoDataExchange(&exchange);
  return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
  if (UpdateData(TRUE)) EndDialog(WIN_IDOK);
}

void CDialog::OnCancel() { EndDialog(WIN_IDCANCEL); }

void CDialog::OnHelpInfo() {
  CWinApp* app = CWinApp::Current();
  if (app) app->OnCmdMsg(ID_HELP, 0);
}

bool CDialog::OnWndMsg(unsigned message, uintptr_t wParam, intptr_t lParam, intptr_t* result) {
  if (message == WIN_WM_INITDIALOG) {
    *result = OnInitDialog();
    return true;
  }
  if (CWnd::OnWndMsg(message, wParam, lParam, result)) return true;
  if (message == WIN_WM_COMMAND) {
    // Commands go on to the application, as menu and accelerator commands would.
    CWinApp* app = CWinApp::Current();
    if (app && app->OnCmdMsg(static_cast<int>(wParam & 0xFFFF), static_cast<unsigned>((wParam >> 16) & 0xFFFF))) {
      *result = TRUE;
      return true;
    }
  }
  return false;
}

intptr_t PLATFORM_CALLBACK CDialog::DialogProc(platform::Window dialog, unsigned message, uintptr_t wParam,
                                               intptr_t lParam) {
  CDialog* self;
  if (message == WIN_WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lParam);
    platform::SetDialogData(dialog, lParam);
    if (self) self->m_hWnd = dialog;
  } else {
    self = reinterpret_cast<CDialog*>(platform::GetDialogData(dialog));
  }
  // Messages that arrive before WM_INITDIALOG (WM_SETFONT) find no object.
  if (!self) return FALSE;
  intptr_t result = 0;
  return self->OnWndMsg(message, wParam, lParam, &result) ? result : FALSE;
}
