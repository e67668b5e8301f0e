// Environment, directories and the INI file. Stand-in: nothing exists.
#include "fake_platform.h"

namespace platform {

const char* GetEnv(const char*) { return nullptr; }
int ChangeDirectory(const char* path) { fake::LogCall(std::string("ChangeDirectory(") + path + ")"); return -1; }
int MakeDirectory(const char* path) { fake::LogCall(std::string("MakeDirectory(") + path + ")"); return -1; }
int StatPath(const char*, unsigned*) { return -1; }
void GetProfileString(const char*, const char*, const char* defaultValue, char* buffer, unsigned size, const char*) {
  if (buffer != defaultValue && size > 0) {
    std::string value(defaultValue);
    value = value.substr(0, size - 1);
    std::copy(value.begin(), value.end(), buffer);
    buffer[value.size()] = '\0';
  }
}
void WriteProfileString(const char* section, const char* key, const char* value, const char* fileName) {
  fake::LogCall(std::string("WriteProfileString(") + section + "," + key + "," + value + "," + fileName + ")");
}

}  // namespace platform
