// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

// Stops the run with a message when a property of the code under test fails:
// libFuzzer then saves the input as a crash.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

// A private directory for the files one fuzzer writes, removed at exit.
class FuzzDir {
public:
    FuzzDir() {
        // In memory where there is a tmpfs: the fuzzers write files on every
        // input, and a disk's syncs would slow them down.
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string strTemplate = (base / "brisaloo-fuzz-XXXXXX").string();
        if (::mkdtemp(strTemplate.data()) == nullptr) std::abort();
        m_path = strTemplate;
    }
    ~FuzzDir() {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    FuzzDir(const FuzzDir&) = delete;
    FuzzDir& operator=(const FuzzDir&) = delete;

    std::string Path(std::string_view strName) const { return (m_path / strName).string(); }

private:
    std::filesystem::path m_path;
};

// The whole of bytes written to strPath, replacing what was there.
inline void WriteFuzzFile(const std::string& strPath, std::string_view bytes) {
    std::FILE* pFile = std::fopen(strPath.c_str(), "wb");
    if (pFile == nullptr) std::abort();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), pFile) != bytes.size())
        std::abort();
    if (std::fclose(pFile) != 0) std::abort();
}
