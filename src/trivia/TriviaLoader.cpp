// SPDX-License-Identifier: GPL-3.0-or-later
#include "trivia/TriviaLoader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

#include "files/FileIo.h"
#include "trivia/TriviaCodec.h"

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;
constexpr const char* kNothingShown = " No trivia will be shown this time.";

// Closes the descriptor when the scope ends.
class FileHandle {
public:
    explicit FileHandle(int fd = -1) : m_fd(fd) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle(FileHandle&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    FileHandle& operator=(FileHandle&& other) noexcept {
        if (this != &other) {
            Close();
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }
    ~FileHandle() { Close(); }

    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    // 0 on success, else the errno of the close (a late write error shows here).
    int Close() {
        if (m_fd < 0) return 0;
        const int nResult = ::close(m_fd);
        m_fd = -1;
        return nResult == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

std::string Reason(int nError) {
    return std::strerror(nError);
}

// Opens triv.dat for reading: a FIFO or device at that name must not hang the
// start-up, so anything but a regular file fails. strReason says why.
FileHandle OpenStored(const std::string& strPath, std::string& strReason) {
    ReadFailure failure;
    FileHandle file(OpenRegularFile(strPath, failure));
    strReason = failure.strReason;
    return file;
}

// Creates triv.tmp new and private. Whatever stood at that name is unlinked
// first (a symlink goes, its target stays); if anything is still there the
// exclusive create fails rather than write through it.
FileHandle CreateTemporary(const std::string& strPath, IFileOps& ops) {
    ops.Unlink(strPath.c_str());
    return FileHandle(
        ops.Open(strPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
}

#ifndef _WIN32
// A real directory of this user's that no one else may enter; not a link.
bool IsPrivateDirectory(const std::string& strDir) {
    struct stat info {};
    return ::lstat(strDir.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 0077) == 0;
}
#endif

// Where triv.tmp goes when the data folder takes no new file: strDir (made
// 0700 when missing) if only this user can enter it, else a new mkdtemp
// folder under $TMPDIR or /tmp, removed again with the object.
class PrivateFolder {
public:
    explicit PrivateFolder(const std::string& strDir) {
#ifdef _WIN32
        // The data folder is already the user's own (%LOCALAPPDATA%) when the
        // program's folder is read-only: there is no second place to try.
        (void)strDir;
        m_strReason = "there is none on this system";
#else
        if (!strDir.empty() && (::mkdir(strDir.c_str(), 0700) == 0 || errno == EEXIST) &&
            IsPrivateDirectory(strDir)) {
            m_strDir = strDir;
            return;
        }
        const char* pszTmp = std::getenv("TMPDIR");
        std::string strTemplate =
            std::string(pszTmp != nullptr && pszTmp[0] == '/' ? pszTmp : "/tmp") +
            "/brisaloo-XXXXXX";
        if (::mkdtemp(strTemplate.data()) != nullptr) {
            m_strDir = std::move(strTemplate);
            m_bMadeHere = true;
        } else {
            const int nError = errno;
            m_strReason = ::Reason(nError);
        }
#endif
    }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    ~PrivateFolder() {
#ifndef _WIN32
        if (m_bMadeHere) ::rmdir(m_strDir.c_str());
#endif
    }

    const std::string& Dir() const { return m_strDir; }         // "" when none could be made
    const std::string& Failure() const { return m_strReason; }  // why no folder was made

private:
    std::string m_strDir;
    std::string m_strReason;
    bool m_bMadeHere = false;
};

std::string WhatToDoAboutTheFile(const std::string& strPath) {
    return "No trivia will be shown this time. To see what is wrong with the file, run: "
           "brisaloo-trivia check " +
           strPath;
}

// Copies triv.dat into triv.tmp, decoding block by block. An empty string on
// success, else the message for the user.
std::string DecodeInto(int fdStored, const std::string& strStoredPath, int fdTemp,
                       const std::string& strTempPath, IFileOps& ops) {
    std::string strBlock(kBlockSize, '\0');
    for (;;) {
        const ssize_t nRead = ::read(fdStored, strBlock.data(), strBlock.size());
        if (nRead < 0) {
            const int nError = errno;
            if (nError == EINTR) continue;
            return "The trivia file " + strStoredPath + " could not be read: " + Reason(nError) +
                   "." + kNothingShown;
        }
        if (nRead == 0) return {};
        const std::span<char> block(strBlock.data(), static_cast<std::size_t>(nRead));
        DecodeTriviaBytes(block);
        if (!WriteAll(fdTemp, std::string_view(block.data(), block.size()), ops)) {
            const int nError = errno;
            return "The trivia could not be unpacked into " + strTempPath + ": " + Reason(nError) +
                   "." + kNothingShown;
        }
    }
}

// Reads back the file just written, without following a link, and only if it
// is the very file written: nothing may have been swapped in meanwhile. An
// empty string on success, else the message for the user.
std::string ReadBack(const std::string& strPath, const FileIdentity& written, std::string& text) {
    const std::string strFailed = "The unpacked trivia could not be read back from " + strPath;
    FileHandle file(
        SystemFileOps().Open(strPath.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0));
    FileIdentity read;
    if (!file.IsOpen() || !IdentityOf(file.Get(), read)) {
        const int nError = errno;
        return strFailed + ": " + Reason(nError) + "." + kNothingShown;
    }
    if (read != written) {
        return strFailed + ": another file took its place." + kNothingShown;
    }
    if (!ReadAll(file.Get(), text)) {
        const int nError = errno;
        return strFailed + ": " + Reason(nError) + "." + kNothingShown;
    }
    return {};
}

void FillTable(std::string_view strText, TriviaTable& table, TriviaLoadResult& result) {
    std::size_t nLines = 0;
    ForEachTriviaLine(strText, [&](std::string_view strLine) {
        if (++nLines <= kTriviaMaxLines) table.m_strTrivia[nLines].assign(strLine);
    });
    table.m_nTriviaLines = static_cast<int>(std::min<std::size_t>(nLines, kTriviaMaxLines));
    if (nLines > static_cast<std::size_t>(kTriviaMaxLines)) {
        result.messages.push_back(
            "The trivia file holds " + std::to_string(nLines) + " entries, more than the " +
            std::to_string(kTriviaMaxLines) + " Brisaloo can show. The first " +
            std::to_string(kTriviaMaxLines) + " are in the rotation; the rest are left out.");
    }
}

void ClearTable(TriviaTable& table) {
    for (std::string& strEntry : table.m_strTrivia) strEntry.clear();
    table.m_nTriviaLines = 0;
}

}  // namespace

TriviaLoadResult LoadTrivia(const std::string& strDir, TriviaTable& table) {
    return LoadTrivia(strDir + "/triv.dat", strDir + "/triv.tmp", table);
}

TriviaLoadResult LoadTrivia(const std::string& strStoredPath, const std::string& strDataTempPath,
                            TriviaTable& table, const std::string& strPrivateDir, IFileOps& ops) {
    TriviaLoadResult result;
    ClearTable(table);

    std::string strReason;
    FileHandle stored = OpenStored(strStoredPath, strReason);
    if (!stored.IsOpen()) {
        result.messages.push_back(std::string(kUnableToOpenFile) + "\n" + strStoredPath + ": " +
                                  strReason + ".\n" + WhatToDoAboutTheFile(strStoredPath));
        return result;
    }
    std::string strTempPath = strDataTempPath;
    FileHandle temp = CreateTemporary(strTempPath, ops);
    // A read-only data folder need not cost the trivia: the copy is made in a
    // folder of the user's own instead, with the same care.
    std::optional<PrivateFolder> privateFolder;
    if (!temp.IsOpen()) {
        const int nError = errno;
        strReason = strTempPath + ": " + Reason(nError);
        privateFolder.emplace(strPrivateDir);
        if (privateFolder->Dir().empty()) {
            strReason += "; no private folder either: " + privateFolder->Failure();
        } else {
            strTempPath = privateFolder->Dir() + "/triv.tmp";
            temp = CreateTemporary(strTempPath, ops);
            if (!temp.IsOpen()) {
                const int nRetryError = errno;
                strReason += "; " + strTempPath + ": " + Reason(nRetryError);
            }
        }
    }
    if (!temp.IsOpen()) {
        result.messages.push_back(std::string(kUnableToOpenFile) + "\n" + strReason +
                                  ".\nBrisaloo unpacks " + strStoredPath +
                                  " there while it loads. No trivia will be shown this time; "
                                  "make the data folder writable to see it.");
        return result;
    }

    std::string strError = DecodeInto(stored.Get(), strStoredPath, temp.Get(), strTempPath, ops);
    FileIdentity written;
    IdentityOf(temp.Get(), written);
    stored.Close();
    if (const int nError = temp.Close(); nError != 0 && strError.empty()) {
        strError = "The trivia could not be unpacked into " + strTempPath + ": " + Reason(nError) +
                   "." + kNothingShown;
    }

    std::string text;
    if (strError.empty()) strError = ReadBack(strTempPath, written, text);
    if (strError.empty()) {
        FillTable(text, table, result);
    } else {
        result.messages.push_back(std::move(strError));
    }

    if (ops.Unlink(strTempPath.c_str()) != 0) {
        const int nError = errno;
        if (nError != ENOENT) {
            result.messages.push_back("The temporary file " + strTempPath +
                                      " could not be removed: " + Reason(nError) +
                                      ". It only holds a copy of the trivia and may be deleted.");
        }
    }
    return result;
}
