// A fresh temporary directory that is the process's current directory for
// the life of the object; the previous one is restored and the temporary
// one deleted afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

class ScratchDirectory {
 public:
  ScratchDirectory() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "installer-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    std::filesystem::current_path(path_);
  }
  ~ScratchDirectory() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(path_);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  static bool Exists(const std::string& name) { return std::filesystem::exists(name); }
  static std::string Read(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void Write(const std::string& name, const std::string& contents) {
    std::ofstream(name, std::ios::binary) << contents;
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};
