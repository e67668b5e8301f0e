// Environment, directories and the INI file: an in-memory file system with
// Windows path rules, scripted through fake::DirsState (see fake_platform.h).
#include <algorithm>
#include <cctype>

#include "fake_platform.h"

namespace fake {
namespace {

constexpr unsigned kModeDirectory = 0x4000;  // _S_IFDIR
constexpr unsigned kModeFile = 0x8000;       // _S_IFREG

DirsState& Dirs() { return Fake().dirs; }

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsBareDrive(const std::string& path) {
  return path.size() == 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

// "C:" of a resolved path, or "\\server\share" style prefix "\\" for UNC.
std::string DriveOf(const std::string& resolved) { return resolved.substr(0, 2); }

// The resolved parent of a resolved path; "" for a root.
std::string ParentOf(const std::string& resolved) {
  size_t last = resolved.find_last_of('\\');
  if (last == std::string::npos || last < 2 || last + 1 == resolved.size()) return "";
  if (last == 2 && resolved[1] == ':') return resolved.substr(0, 3);
  return resolved.substr(0, last);
}

// True when `ancestor` is `path` itself or a directory above it (both resolved, upper case).
bool IsAtOrAbove(const std::string& ancestor, const std::string& path) {
  if (ancestor == path) return true;
  if (path.compare(0, ancestor.size(), ancestor) != 0) return false;
  return ancestor.back() == '\\' || path[ancestor.size()] == '\\';
}

bool InSet(const std::set<std::string>& entries, const std::string& resolved) {
  for (const auto& entry : entries)
    if (Upper(ResolvePath(entry)) == Upper(resolved)) return true;
  return false;
}

bool FileExists(const std::string& resolved) { return InSet(Dirs().files, resolved); }

// A directory exists when an entry of either set lies at or below it, other
// than a file of that very name.
bool DirectoryExistsResolved(const std::string& resolved) {
  if (resolved.empty() || FileExists(resolved)) return false;
  const std::string key = Upper(resolved);
  for (const auto* entries : {&Dirs().directories, &Dirs().files, &Dirs().lockedDirectories}) {
    for (const auto& entry : *entries) {
      const std::string other = Upper(ResolvePath(entry));
      if (entries == &Dirs().files ? (other != key && IsAtOrAbove(key, other)) : IsAtOrAbove(key, other)) return true;
    }
  }
  return false;
}

}  // namespace

std::string ResolvePath(const std::string& path) {
  if (path.find_first_of("?*") != std::string::npos) return "";
  std::string prefix;  // "X:\" or "\\"
  std::string rest;
  const std::string& current = Dirs().currentDirectory;
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    prefix = "\\\\";
    rest = path.substr(2);
  } else if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':') {
    prefix = std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])))) + ":\\";
    rest = path.substr(2);
    // Drive-relative ("D:data" or "D:"): from the current directory when it is on that drive.
    if (rest.empty() || !IsSeparator(rest[0])) {
      if (Upper(DriveOf(current)) == prefix.substr(0, 2)) rest = current.substr(2) + "\\" + rest;
    }
  } else if (!path.empty() && IsSeparator(path[0])) {
    prefix = DriveOf(current) + "\\";
    rest = path;
  } else {
    prefix = DriveOf(current) + "\\";
    rest = current.substr(2) + "\\" + path;
  }
  std::vector<std::string> parts;
  std::string part;
  for (size_t i = 0; i <= rest.size(); ++i) {
    if (i == rest.size() || IsSeparator(rest[i])) {
      if (part == "..") {
        if (!parts.empty()) parts.pop_back();
      } else if (!part.empty() && part != ".") {
        parts.push_back(part);
      }
      part.clear();
    } else {
      part += rest[i];
    }
  }
  std::string resolved = prefix;
  for (size_t i = 0; i < parts.size(); ++i) resolved += (i ? "\\" : "") + parts[i];
  return resolved;
}

bool SamePath(const std::string& a, const std::string& b) {
  return Upper(ResolvePath(a)) == Upper(ResolvePath(b));
}

bool DirectoryExists(const std::string& path) { return DirectoryExistsResolved(ResolvePath(path)); }

}  // namespace fake

namespace platform {

const char* GetEnv(const char* name) {
  fake::LogCall(std::string("GetEnv(") + name + ")");
  const auto& environment = fake::Fake().dirs.environment;
  auto found = environment.find(name);
  return found == environment.end() ? nullptr : found->second.c_str();
}

int ChangeDirectory(const char* path) {
  fake::LogCall(std::string("ChangeDirectory(") + path + ")");
  const std::string resolved = fake::ResolvePath(path);
  if (!fake::DirectoryExists(resolved) || fake::InSet(fake::Fake().dirs.lockedDirectories, resolved)) return -1;
  fake::Fake().dirs.currentDirectory = resolved;
  return 0;
}

int MakeDirectory(const char* path) {
  fake::LogCall(std::string("MakeDirectory(") + path + ")");
  const std::string resolved = fake::ResolvePath(path);
  if (resolved.empty() || fake::IsBareDrive(path)) return -1;
  const std::string parent = fake::ParentOf(resolved);
  if (parent.empty() || fake::DirectoryExists(resolved) || fake::FileExists(resolved) ||
      !fake::DirectoryExists(parent) || fake::InSet(fake::Fake().dirs.refusedDirectories, resolved))
    return -1;
  fake::Fake().dirs.directories.insert(resolved);
  return 0;
}

// A bare drive and a name with "?" or "*" are not found, as with _stat.
int StatPath(const char* path, unsigned* mode) {
  fake::LogCall(std::string("StatPath(") + path + ")");
  const std::string resolved = fake::ResolvePath(path);
  if (resolved.empty() || fake::IsBareDrive(path)) return -1;
  // Like the runtime's _stat: a name that ends in a separator is found only
  // when it is a root ("\" or "C:\").
  const std::string name(path);
  const bool root = name.size() == 1 || (name.size() == 3 && name[1] == ':');
  if (!name.empty() && (name.back() == '\\' || name.back() == '/') && !root) return -1;
  if (fake::FileExists(resolved)) {
    *mode = fake::kModeFile;
    return 0;
  }
  if (fake::DirectoryExists(resolved)) {
    *mode = fake::kModeDirectory;
    return 0;
  }
  return -1;
}

// Like GetPrivateProfileStringA: the recorded value or the default, cut to
// size - 1 characters; defaultValue and buffer may be the same buffer.
void GetProfileString(const char* section, const char* key, const char* defaultValue, char* buffer, unsigned size,
                      const char* fileName) {
  fake::LogCall(std::string("GetProfileString(") + section + "," + key + "," + fileName + ")");
  if (size == 0) return;
  const auto& profile = fake::Fake().dirs.profile;
  auto found = profile.find(fake::ProfileEntry{fileName, section, key});
  const std::string value = found != profile.end() ? found->second : std::string(defaultValue ? defaultValue : "");
  const size_t length = std::min<size_t>(value.size(), size - 1);
  value.copy(buffer, length);
  buffer[length] = '\0';
}

void WriteProfileString(const char* section, const char* key, const char* value, const char* fileName) {
  fake::LogCall(std::string("WriteProfileString(") + section + "," + key + "," + value + "," + fileName + ")");
  fake::Fake().dirs.profile[fake::ProfileEntry{fileName, section, key}] = value;
}

}  // namespace platform
