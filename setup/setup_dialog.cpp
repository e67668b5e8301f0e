// The launcher's main dialog: start-up, caption, and the four buttons.
#include "setup_dialog.h"

#include "format_text.h"
#include <iterator>

#include "launcher_config.h"

bool instructionsRead = false;

namespace {

constexpr const char* kReadFirstFormat =
    "The setup instructions contain important information about the %s software. "
    "Please read them before beginning installation.";
constexpr unsigned kReadFirstStyle = WIN_MB_TASKMODAL | WIN_MB_ICONWARNING | WIN_MB_OK;
constexpr const char* kPrintedQuestion = "Have you printed out the setup instructions and read them carefully?";
constexpr unsigned kPrintedStyle = WIN_MB_TASKMODAL | WIN_MB_ICONWARNING | WIN_MB_YESNO;

}  // namespace

const MessageMapEntry SetupDialog::messageEntries[] = {
    OnMessage<SetupDialog>(WIN_WM_PAINT, &SetupDialog::OnPaint),
    OnQuery<SetupDialog>(WIN_WM_QUERYDRAGICON, &SetupDialog::OnQueryDragIcon),
    OnButtonClicked<SetupDialog>(IDC_EXIT, &SetupDialog::OnExit),
    OnButtonClicked<SetupDialog>(IDC_INSTALL_SOFTWARE, &SetupDialog::OnInstallSoftware),
    OnButtonClicked<SetupDialog>(IDC_SETUP_INSTRUCTIONS, &SetupDialog::OnSetupInstructions),
    OnButtonClicked<SetupDialog>(IDC_ABOUT, &SetupDialog::OnAbout),
};
const MessageMap SetupDialog::messageMap = {&CDialog::messageMap, messageEntries, std::size(messageEntries)};

SetupDialog::SetupDialog(CWnd* parent)
    : CDialog(IDD_SETUP, parent), m_hIcon(platform::LoadIcon(platform::ModuleInstance(), IDI_SETUP)) {}

SetupDialog::~SetupDialog() = default;

void SetupDialog::DoDataExchange(CDataExchange* exchange) { CDialog::DoDataExchange(exchange); }

BOOL SetupDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  ReadLauncherSettings();
  SetWindowText(windowCaption);
  return TRUE;
}

void* SetupDialog::OnQueryDragIcon() { return m_hIcon; }

void SetupDialog::OnExit() { platform::Exit(0); }

void SetupDialog::OnSetupInstructions() {
  instructionsRead = true;  // first, whether or not the instructions open
  RunConfiguredCommand("MoreInfo");
}

void SetupDialog::OnInstallSoftware() {
  if (!instructionsRead) {
    char warning[kValueSize];
    FormatText(warning, sizeof warning, kReadFirstFormat, companyName);
    MessageBox(warning, windowCaption, kReadFirstStyle);
    return;
  }
  int answer = MessageBox(kPrintedQuestion, windowCaption, kPrintedStyle);
  if (answer == WIN_IDYES) {
    // The installation runs on its own; the launcher ends at once.
    if (RunConfiguredCommand("Install")) platform::Exit(0);
    return;
  }
  if (answer == WIN_IDNO) RunConfiguredCommand("MoreInfo");
}

void SetupDialog::OnAbout() { RunConfiguredCommand("About"); }
