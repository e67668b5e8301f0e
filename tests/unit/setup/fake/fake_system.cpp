// The INI reader (with the profile reader's rules), the shell and exit.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

#include "fake_setup.h"

using setupfake::Fake;
using setupfake::LogCall;

namespace {

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return "";
  size_t end = text.find_last_not_of(" \t\r");
  return text.substr(begin, end - begin + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return std::tolower(x) == std::tolower(y); });
}

// The value of key in section, as the profile reader yields it; false when
// the file, the section or the key is missing.
bool LookUp(const std::string& text, const std::string& section, const std::string& key, std::string* value) {
  std::istringstream lines(text);
  std::string line;
  bool inSection = false;
  while (std::getline(lines, line)) {
    std::string trimmed = Trim(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      size_t close = trimmed.find(']');
      inSection = close != std::string::npos && SameName(Trim(trimmed.substr(1, close - 1)), section);
      continue;
    }
    size_t equals = trimmed.find('=');
    if (!inSection || equals == std::string::npos) continue;
    if (!SameName(Trim(trimmed.substr(0, equals)), key)) continue;
    std::string found = Trim(trimmed.substr(equals + 1));
    if (found.size() >= 2 && (found.front() == '"' || found.front() == '\'') && found.back() == found.front()) {
      found = found.substr(1, found.size() - 2);
    }
    *value = found;
    return true;
  }
  return false;
}

}  // namespace

namespace platform {

void GetProfileString(const char* section, const char* key, const char* defaultValue, char* buffer, unsigned size,
                      const char* fileName) {
  LogCall(std::string("GetProfileString(") + section + "," + key + "," + fileName + ")");
  auto& files = Fake().system.iniFiles;
  std::string value = defaultValue;
  auto file = files.find(fileName);
  if (file != files.end()) LookUp(file->second, section, key, &value);
  if (size == 0) return;
  size_t length = std::min<size_t>(value.size(), size - 1);
  std::memcpy(buffer, value.data(), length);
  buffer[length] = '\0';
}

int32_t ShellExecute(Window owner, const char* verb, const char* file, const char* parameters, const char* directory,
                     int show) {
  LogCall(std::string("ShellExecute(") + file + ")");
  auto& system = Fake().system;
  system.shellCalls.push_back({owner, verb ? verb : "", file ? file : "", parameters != nullptr,
                               directory != nullptr, show});
  if (system.shellResults.empty()) return 42;
  int32_t result = system.shellResults.front();
  system.shellResults.pop_front();
  return result;
}

void Exit(int status) {
  LogCall("Exit(" + std::to_string(status) + ")");
  Fake().system.exitStatuses.push_back(status);
}

}  // namespace platform
