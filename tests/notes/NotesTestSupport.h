#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "notes/NotesStore.h"

using Note = std::pair<std::string, std::string>;  // subject, body
using NoteList = std::vector<Note>;

// A store is 4,000 strings: tests keep theirs on the heap.
inline std::unique_ptr<NotesStore> MakeStore(const NoteList& notes) {
    auto store = std::make_unique<NotesStore>();
    for (const auto& [strSubject, strBody] : notes) {
        ++store->m_nLastNote;
        store->m_strSubject[store->m_nLastNote] = strSubject;
        store->m_strBody[store->m_nLastNote] = strBody;
    }
    return store;
}

inline NoteList NotesOf(const NotesStore& store) {
    NoteList notes;
    for (int i = 0; i <= store.m_nLastNote; ++i) {
        notes.emplace_back(store.m_strSubject[i], store.m_strBody[i]);
    }
    return notes;
}

// A fresh directory for one test, removed with its contents afterwards.
class ScratchDir {
public:
    ScratchDir() {
        static std::atomic<int> nCounter{0};
        m_path =
            std::filesystem::temp_directory_path() /
            ("brisaloo-notes-" + std::to_string(::getpid()) + "-" + std::to_string(nCounter++));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir() {
        std::error_code error;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(m_path, error);
    }

    std::string Str() const { return m_path.string(); }
    std::string File(const std::string& strName) const { return (m_path / strName).string(); }
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

inline void WriteBytes(const std::string& strPath, const std::string& bytes) {
    std::ofstream out(strPath, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& strPath) {
    std::ifstream in(strPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline mode_t ModeOf(const std::string& strPath) {
    struct stat st {};
    ::stat(strPath.c_str(), &st);
    return st.st_mode & 07777;
}
