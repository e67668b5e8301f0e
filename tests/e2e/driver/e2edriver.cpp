// e2edriver: a small console program that end-to-end scenarios run under
// Wine, in the same prefix as the program under test, to find that program's
// top-level windows by their exact caption, read their texts and press their
// buttons. Every wait is a bounded poll. Usage: see Usage() below.
//
// Exit status: 0 done / found, 1 window not found (or still there, for
// "gone") within the time allowed, 2 bad usage, 3 control not found.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr DWORD DEFAULT_TIMEOUT_MS = 10000;
constexpr DWORD POLL_INTERVAL_MS = 50;
constexpr int EXIT_OK = 0;
constexpr int EXIT_NOT_FOUND = 1;
constexpr int EXIT_USAGE = 2;
constexpr int EXIT_NO_CONTROL = 3;
constexpr int MESSAGE_TEXT_ID = 0xFFFF;  // the static text of a message box
constexpr int MAX_RULES = 16;

void Usage() {
  std::fputs(
      "usage: e2edriver COMMAND ...\n"
      "  list                              every top-level window: handle, visible, class, caption\n"
      "  wait CAPTION [MS] [CAP=ID ...]    until a visible window CAPTION exists; meanwhile press ID\n"
      "                                    on any visible window captioned CAP (each answer printed)\n"
      "  gone CAPTION [MS]                 until no visible window CAPTION exists\n"
      "  text CAPTION [MS]                 print a message box's text (static child 0xFFFF)\n"
      "  item CAPTION ID [MS]              print the text of child ID\n"
      "  title CAPTION ID [MS]             same as item (kept for symmetry with settext)\n"
      "  press CAPTION ID [MS]             post WM_COMMAND ID (a button press) to the window\n"
      "  click CAPTION ID [MS]             post BM_CLICK to child ID (check boxes, radio buttons)\n"
      "  checked CAPTION ID [MS]           print 1 or 0: BM_GETCHECK of child ID\n"
      "  enabled CAPTION ID [MS]           print 1 or 0: whether child ID is enabled\n"
      "  settext CAPTION ID TEXT [MS]      set the text of child ID (WM_SETTEXT)\n"
      "  close CAPTION [MS]                post WM_CLOSE (the close box) to the window\n"
      "  children CAPTION [MS]             every child: id, class, visible, text\n"
      "  origin CAPTION [MS]               print the client area's screen origin and size: X Y W H\n"
      "  rect CAPTION [MS]                 print the window rectangle: LEFT TOP RIGHT BOTTOM\n"
      "  count CAPTION                     print how many visible windows have this caption\n"
      "  watch MS CAPTION...               poll for MS; print each CAPTION once when first seen\n"
      "MS is a timeout in milliseconds (default 10000). ID is decimal or 0x hex.\n"
      "Exit status: 0 done, 1 window not found in time, 2 usage, 3 no such control.\n",
      stderr);
}

struct FindRequest {
  const char* caption;
  HWND found;
  int count;
};

BOOL CALLBACK FindProc(HWND window, LPARAM param) {
  auto* request = reinterpret_cast<FindRequest*>(param);
  if (!IsWindowVisible(window)) return TRUE;
  char title[2048];  // a caption may hold a configured value of 1023 characters and more
  GetWindowTextA(window, title, sizeof title);
  if (std::strcmp(title, request->caption) == 0) {
    if (!request->found) request->found = window;
    ++request->count;
  }
  return TRUE;
}

// The first visible top-level window whose caption is exactly `caption`.
HWND FindVisible(const char* caption, int* count = nullptr) {
  FindRequest request{caption, nullptr, 0};
  EnumWindows(FindProc, reinterpret_cast<LPARAM>(&request));
  if (count) *count = request.count;
  return request.found;
}

bool ParseNumber(const char* text, long* value) {
  if (!text || !*text) return false;
  char* end = nullptr;
  long parsed = std::strtol(text, &end, 0);
  if (*end) return false;
  *value = parsed;
  return true;
}

DWORD TimeoutArg(int argc, char** argv, int index) {
  long value;
  if (index < argc && ParseNumber(argv[index], &value) && value >= 0) return static_cast<DWORD>(value);
  return DEFAULT_TIMEOUT_MS;
}

struct AnswerRule {
  const char* caption;  // points into a copy of the argument
  WPARAM id;
};

HWND WaitFor(const char* caption, DWORD timeout, const AnswerRule* rules = nullptr, int ruleCount = 0) {
  DWORD start = GetTickCount();
  for (;;) {
    HWND window = FindVisible(caption);
    if (window) return window;
    for (int i = 0; i < ruleCount; ++i) {
      HWND box = FindVisible(rules[i].caption);
      if (box) {
        std::printf("answered \"%s\" with %u\n", rules[i].caption, static_cast<unsigned>(rules[i].id));
        std::fflush(stdout);
        PostMessageA(box, WM_COMMAND, rules[i].id, 0);
        // Give the box time to go away before it is looked for again.
        for (int tries = 0; tries < 40 && FindVisible(rules[i].caption) == box; ++tries) Sleep(POLL_INTERVAL_MS);
      }
    }
    if (GetTickCount() - start >= timeout) return nullptr;
    Sleep(POLL_INTERVAL_MS);
  }
}

int NotFound(const char* caption, DWORD timeout) {
  std::fprintf(stderr, "e2edriver: no visible window captioned \"%s\" within %lu ms\n", caption,
               static_cast<unsigned long>(timeout));
  return EXIT_NOT_FOUND;
}

BOOL CALLBACK ListProc(HWND window, LPARAM) {
  char title[2048];  // a caption may hold a configured value of 1023 characters and more
  char className[256];
  GetWindowTextA(window, title, sizeof title);
  GetClassNameA(window, className, sizeof className);
  std::printf("%p %s %-24s \"%s\"\n", static_cast<void*>(window), IsWindowVisible(window) ? "visible" : "hidden ",
              className, title);
  return TRUE;
}

BOOL CALLBACK ChildProc(HWND child, LPARAM) {
  char text[1024];
  char className[256];
  GetWindowTextA(child, text, sizeof text);
  GetClassNameA(child, className, sizeof className);
  std::printf("%d %s %-12s \"%s\"\n", GetDlgCtrlID(child), IsWindowVisible(child) ? "visible" : "hidden ",
              className, text);
  return TRUE;
}

int Watch(int argc, char** argv) {
  long timeout;
  if (argc < 4 || !ParseNumber(argv[2], &timeout)) return Usage(), EXIT_USAGE;
  int wanted = argc - 3;
  bool seen[64] = {};
  if (wanted > 64) wanted = 64;
  int remaining = wanted;
  DWORD start = GetTickCount();
  while (remaining > 0 && GetTickCount() - start < static_cast<DWORD>(timeout)) {
    for (int i = 0; i < wanted; ++i) {
      if (!seen[i] && FindVisible(argv[3 + i])) {
        seen[i] = true;
        --remaining;
        std::printf("%s\n", argv[3 + i]);
        std::fflush(stdout);
      }
    }
    Sleep(5);
  }
  return remaining == 0 ? EXIT_OK : EXIT_NOT_FOUND;
}

}  // namespace

int main(int argc, char** argv) {
  // Plain "\n" line ends, so that the scenarios compare texts as they are.
  _setmode(_fileno(stdout), _O_BINARY);
  if (argc < 2) return Usage(), EXIT_USAGE;
  const char* command = argv[1];

  if (!std::strcmp(command, "list")) {
    EnumWindows(ListProc, 0);
    return EXIT_OK;
  }
  if (!std::strcmp(command, "watch")) return Watch(argc, argv);
  if (argc < 3) return Usage(), EXIT_USAGE;
  const char* caption = argv[2];

  if (!std::strcmp(command, "count")) {
    int count = 0;
    FindVisible(caption, &count);
    std::printf("%d\n", count);
    return EXIT_OK;
  }
  if (!std::strcmp(command, "wait")) {
    DWORD timeout = TimeoutArg(argc, argv, 3);
    static char ruleText[MAX_RULES][512];
    AnswerRule rules[MAX_RULES];
    int ruleCount = 0;
    for (int i = 4; i < argc && ruleCount < MAX_RULES; ++i) {
      char* copy = ruleText[ruleCount];
      std::snprintf(copy, sizeof ruleText[0], "%s", argv[i]);
      char* equals = std::strrchr(copy, '=');
      long id;
      if (!equals || !ParseNumber(equals + 1, &id)) return Usage(), EXIT_USAGE;
      *equals = '\0';
      rules[ruleCount++] = AnswerRule{copy, static_cast<WPARAM>(id)};
    }
    return WaitFor(caption, timeout, rules, ruleCount) ? EXIT_OK : NotFound(caption, timeout);
  }
  if (!std::strcmp(command, "gone")) {
    DWORD timeout = TimeoutArg(argc, argv, 3);
    DWORD start = GetTickCount();
    while (FindVisible(caption)) {
      if (GetTickCount() - start >= timeout) {
        std::fprintf(stderr, "e2edriver: a window captioned \"%s\" is still visible after %lu ms\n", caption,
                     static_cast<unsigned long>(timeout));
        return EXIT_NOT_FOUND;
      }
      Sleep(POLL_INTERVAL_MS);
    }
    return EXIT_OK;
  }

  // The remaining commands act on one window, waited for first.
  bool withId = std::strcmp(command, "text") && std::strcmp(command, "close") && std::strcmp(command, "children") &&
                std::strcmp(command, "origin") && std::strcmp(command, "rect");
  long id = MESSAGE_TEXT_ID;
  int next = 3;
  if (withId) {
    if (!ParseNumber(argc > 3 ? argv[3] : nullptr, &id)) return Usage(), EXIT_USAGE;
    next = 4;
  }
  const char* newText = nullptr;
  if (!std::strcmp(command, "settext")) {
    if (argc < 5) return Usage(), EXIT_USAGE;
    newText = argv[4];
    next = 5;
  }
  DWORD timeout = TimeoutArg(argc, argv, next);
  HWND window = WaitFor(caption, timeout);
  if (!window) return NotFound(caption, timeout);

  if (!std::strcmp(command, "press")) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    return EXIT_OK;
  }
  if (!std::strcmp(command, "close")) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return EXIT_OK;
  }
  if (!std::strcmp(command, "children")) {
    EnumChildWindows(window, ChildProc, 0);
    return EXIT_OK;
  }
  if (!std::strcmp(command, "origin")) {
    POINT origin = {0, 0};
    RECT client;
    ClientToScreen(window, &origin);
    GetClientRect(window, &client);
    std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right - client.left, client.bottom - client.top);
    return EXIT_OK;
  }
  if (!std::strcmp(command, "rect")) {
    RECT rect;
    GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return EXIT_OK;
  }

  HWND control = GetDlgItem(window, static_cast<int>(id));
  if (!control) {
    std::fprintf(stderr, "e2edriver: window \"%s\" has no control %ld\n", caption, id);
    return EXIT_NO_CONTROL;
  }
  if (!std::strcmp(command, "text") || !std::strcmp(command, "item") || !std::strcmp(command, "title")) {
    // WM_GETTEXT crosses the process boundary (edit fields answer it too);
    // the stored window text serves when the owner does not answer in time.
    static char text[65536];
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             5000, &copied))
      GetWindowTextA(control, text, sizeof text);
    std::printf("%s\n", text);
    return EXIT_OK;
  }
  if (!std::strcmp(command, "click")) {
    PostMessageA(control, BM_CLICK, 0, 0);
    return EXIT_OK;
  }
  if (!std::strcmp(command, "checked")) {
    std::printf("%d\n", static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0)));
    return EXIT_OK;
  }
  if (!std::strcmp(command, "enabled")) {
    std::printf("%d\n", IsWindowEnabled(control) ? 1 : 0);
    return EXIT_OK;
  }
  if (!std::strcmp(command, "settext")) {
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(newText));
    return EXIT_OK;
  }
  Usage();
  return EXIT_USAGE;
}
