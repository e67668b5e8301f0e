// A modal dialog from a numbered template. The dialog procedure finds the
// object through the dialog's own data slot (set from the creation parameter
// on WM_INITDIALOG) and dispatches through the message map. Commands that the
// dialog's maps do not handle go on to the application object; OK and Cancel
// end the dialog with IDOK and IDCANCEL.
#pragma once

#include "wnd.h"

class CDialog;

// What DoDataExchange works with: the dialog, and the direction.
struct CDataExchange {
  CDialog* m_pDlgWnd;
  BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
};

class CDialog : public CWnd {
 public:
  explicit CDialog(int templateId, CWnd* parent = nullptr);

  // Runs the dialog until EndDialog; returns its value, or -1 when the
  // dialog could not be shown.
  virtual intptr_t DoModal();
  // Fills the controls from the members (DoDataExchange); TRUE so that the
  // dialog manager focuses the first control with a tab stop.
  virtual BOOL OnInitDialog();
  void EndDialog(intptr_t result);
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  bool OnWndMsg(unsigned message, uintptr_t wParam, intptr_t lParam, intptr_t* result) override;
  const MessageMap* GetMessageMap() const override { return &messageMap; }

  static intptr_t PLATFORM_CALLBACK DialogProc(platform::Window dialog, unsigned message, uintptr_t wParam,
                                               intptr_t lParam);

 protected:
  virtual void DoDataExchange(CDataExchange* exchange);
  virtual void OnOK();
  virtual void OnCancel();
  // F1: the application's Help command.
  void OnHelpInfo();

  int m_nIDTemplate;
  CWnd* m_pParentWnd;

  static const MessageMapEntry messageEntries[];
  static const MessageMap messageMap;
};
