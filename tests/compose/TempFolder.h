#pragma once
// A folder of its own per test, so tests run side by side in parallel.

#include <filesystem>
#include <fstream>
#include <string>

#include <stdlib.h>

namespace qw::compose {

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qw-compose-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string{};
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }
    std::string Write(const std::string& name, const std::string& text) const
    {
        const auto file = std::filesystem::path(path_) / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
        return file.string();
    }

private:
    std::string path_;
};

}  // namespace qw::compose
