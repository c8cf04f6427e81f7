#include "trivia/TriviaLoader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
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
    FileHandle& operator=(FileHandle&&) = delete;
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

// Opens triv.dat for reading. A FIFO or device at that name must not hang the
// start-up, so the open does not wait and anything but a regular file fails.
FileHandle OpenStored(const std::string& strPath) {
    FileHandle file(SystemFileOps().Open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK, 0));
    struct stat info {};
    if (!file.IsOpen() || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return FileHandle();
    }
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

TriviaLoadResult LoadTrivia(const std::string& strStoredPath, const std::string& strTempPath,
                            TriviaTable& table, IFileOps& ops) {
    TriviaLoadResult result;
    ClearTable(table);

    FileHandle stored = OpenStored(strStoredPath);
    if (!stored.IsOpen()) {
        result.messages.emplace_back(kUnableToOpenFile);
        return result;
    }
    FileHandle temp = CreateTemporary(strTempPath, ops);
    if (!temp.IsOpen()) {
        result.messages.emplace_back(kUnableToOpenFile);
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
