#pragma once
// A fixture with a fresh folder for real settings files, removed afterwards.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace calvetta {

class TempFolderTest : public ::testing::Test {
  protected:
    const std::filesystem::path dir = MakeFolder();

    ~TempFolderTest() override {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    std::string Path(const char* name) const { return (dir / name).string(); }

    static void Put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Get(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

  private:
    static std::filesystem::path MakeFolder() {
        std::string path = (std::filesystem::temp_directory_path() / "calvetta-XXXXXX").string();
        if (::mkdtemp(path.data()) == nullptr) throw std::runtime_error("no temporary folder");
        return path;
    }
};

}  // namespace calvetta
