// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

// A fresh folder under the system's temporary folder for one test, removed
// with everything in it when the test ends (also after it took away its own
// write permission).
class TempDir {
public:
    TempDir() {
        static std::atomic<int> nCounter{0};
        m_path = std::filesystem::temp_directory_path() /
                 ("brisaloo-test-" + std::to_string(::getpid()) + "-" + std::to_string(nCounter++));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        std::error_code error;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
#ifdef _WIN32
        // A file with the read-only attribute cannot be deleted there.
        for (auto it = std::filesystem::recursive_directory_iterator(m_path, error);
             it != std::filesystem::recursive_directory_iterator(); it.increment(error))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, error);
#endif
        std::filesystem::remove_all(m_path, error);
    }

    const std::filesystem::path& Path() const { return m_path; }
    std::string Str() const { return m_path.string(); }
    std::string File(std::string_view strName) const { return (m_path / strName).string(); }
    std::filesystem::path operator/(std::string_view strName) const { return m_path / strName; }
    // The names in the folder, in no particular order.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path m_path;
};

inline void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline mode_t ModeOf(const std::string& strPath) {
    struct stat st {};
    ::stat(strPath.c_str(), &st);
    return st.st_mode & 07777;
}

// Skips a test that makes symbolic links with std::filesystem, which MinGW's
// library does not implement; WindowsFiles.ReparsePointAtTrivTmpIsNeverWrittenThrough
// is the Windows case.
#ifdef _WIN32
#define SKIP_WITHOUT_FILESYSTEM_SYMLINKS() \
    GTEST_SKIP() << "std::filesystem::create_symlink is not implemented by MinGW's library"
#else
#define SKIP_WITHOUT_FILESYSTEM_SYMLINKS() (void)0
#endif
