#pragma once
// A folder of its own for each test, named after it and removed afterwards, and
// the files the tests make, compare and read beside the program.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace rg::test {

class ScratchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = std::filesystem::temp_directory_path() /
          ("rg_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  // How many files the folder holds, so a test can tell none was left behind.
  std::ptrdiff_t files() const { return std::distance(std::filesystem::directory_iterator(dir), {}); }
  std::filesystem::path dir;
};

inline std::string bytes_of(const std::filesystem::path& file) {
  std::ostringstream out;
  out << std::ifstream(file, std::ios::binary).rdbuf();
  return out.str();
}

inline void write_file(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

// A file the build puts beside the program: templates and rainfall databases.
inline std::filesystem::path program_file(const char* name) { return std::filesystem::path(RG_PROGRAM_DIR) / name; }

}  // namespace rg::test
