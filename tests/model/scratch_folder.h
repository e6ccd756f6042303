// A fresh folder under the system's temporary folder for tests that write files; removed with
// everything in it when the test ends.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>

namespace vernoli::test_support {

class ScratchFolder {
 public:
  ScratchFolder() {
    static std::atomic<unsigned> counter{0};
    namespace fs = std::filesystem;
    for (;;) {
      fs::path candidate = fs::temp_directory_path() /
                           ("vernoli-test-" + std::to_string(::getpid()) + "-" +
                            std::to_string(counter++));
      if (fs::create_directory(candidate)) {
        path_ = candidate;
        break;
      }
    }
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder with a trailing '/', as the program keeps its folders.
  std::string Folder() const { return path_.string() + "/"; }
  // Path of a file in the folder.
  std::string File(std::string_view name) const { return (path_ / name).string(); }
  // Names of everything in the folder.
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

 private:
  std::filesystem::path path_;
};

// The bytes of a file ("" when it cannot be read).
inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes bytes to a file exactly as given.
inline void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Path of a fixture in the test data folder.
inline std::string Fixture(std::string_view name) {
  return std::string(VERNOLI_TEST_DATA) + "/" + std::string(name);
}

}  // namespace vernoli::test_support
