#include "files/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr std::size_t kReadBlock = 64 * 1024;

}  // namespace

bool WriteAll(int fd, std::string_view bytes, IFileOps& ops) {
    while (!bytes.empty()) {
        const ssize_t nWritten = ops.Write(fd, bytes.data(), bytes.size());
        if (nWritten < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (nWritten == 0) {
            errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(nWritten));
    }
    return true;
}

bool ReadAll(int fd, std::string& bytes) {
    bytes.clear();
    // One allocation for the whole file: growing the string by doubling as
    // 2 MB of notes arrive costs more at start-up than reading them.
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[kReadBlock];
    for (;;) {
        const ssize_t nRead = ::read(fd, buffer, sizeof buffer);
        if (nRead == 0) return true;
        if (nRead < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(nRead));
    }
}

bool ReadWholeFile(const std::string& strPath, std::string& bytes) {
    bytes.clear();
    const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool bRead = ReadAll(fd, bytes);
    const int nError = errno;
    ::close(fd);
    errno = nError;
    return bRead;
}

std::string DirectoryOf(const std::string& strPath) {
    const std::size_t nSlash = strPath.rfind('/');
    if (nSlash == std::string::npos) return ".";
    if (nSlash == 0) return "/";
    return strPath.substr(0, nSlash);
}

bool EnsureDirectory(const std::string& strDir, std::string& strError) {
    // Existing levels are left as they are.
    for (std::size_t end = 1; end <= strDir.size(); ++end) {
        if (end != strDir.size() && strDir[end] != '/') continue;
        const std::string strPrefix = strDir.substr(0, end);
        if (::mkdir(strPrefix.c_str(), 0700) != 0 && errno != EEXIST) {
            strError = "Could not create the folder " + strPrefix + ": " + std::strerror(errno);
            return false;
        }
    }
    struct stat info {};
    if (::stat(strDir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        strError = "Could not create the folder " + strDir + ": a file of that name is in the way";
        return false;
    }
    return true;
}
