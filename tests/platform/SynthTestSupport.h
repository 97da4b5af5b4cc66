#pragma once
// Temporary files for the synthesizer tests.
#include <filesystem>
#include <string>
#include <unistd.h>

namespace platform_test {

// A file name in the temporary folder, unique to this process; removed when the
// object goes.
class TempFile {
public:
    explicit TempFile(const std::string &name)
        : path_(std::filesystem::temp_directory_path() / ("tarrowind-" + std::to_string(::getpid()) + "-" + name)) {
        std::filesystem::remove(path_);
    }
    ~TempFile() {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    std::string Path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

} // namespace platform_test
