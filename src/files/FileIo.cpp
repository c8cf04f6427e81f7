// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif

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
    const int fd = SystemFileOps().Open(strPath.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool bRead = ReadAll(fd, bytes);
    const int nError = errno;
    ::close(fd);
    errno = nError;
    return bRead;
}

namespace {

// Whether an open descriptor is a regular file; strReason says what it is when not.
bool IsRegularOpenFile(int fd, std::string& strReason) {
#ifdef _WIN32
    const HANDLE hFile = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(hFile) != FILE_TYPE_DISK) {
        strReason = "it is not a regular file";
        return false;
    }
    if (::GetFileInformationByHandle(hFile, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        strReason = "it is a folder";
        return false;
    }
    return true;
#else
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        strReason = std::strerror(errno);
        return false;
    }
    if (S_ISREG(info.st_mode)) return true;
    strReason = S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file";
    return false;
#endif
}

}  // namespace

int OpenRegularFile(const std::string& strPath, ReadFailure& failure, int nExtraFlags) {
    const int fd =
        SystemFileOps().Open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | nExtraFlags, 0);
    if (fd < 0) {
        failure.bAbsent = errno == ENOENT;
        failure.strReason = errno == EISDIR ? "it is a folder" : std::strerror(errno);
        return -1;
    }
    if (!IsRegularOpenFile(fd, failure.strReason)) {
        ::close(fd);
        return -1;
    }
#ifndef _WIN32
    // Reads of the file itself may wait as usual (a slow network share).
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
#endif
    return fd;
}

std::optional<ReadFailure> ReadRegularFile(const std::string& strPath, std::string& bytes) {
    bytes.clear();
    ReadFailure failure;
    const int fd = OpenRegularFile(strPath, failure);
    if (fd < 0) return failure;
    const bool bRead = ReadAll(fd, bytes);
    const int nError = errno;
    ::close(fd);
    if (bRead) return std::nullopt;
    failure.strReason = std::strerror(nError);
    return failure;
}

bool IsPathSeparator(char c) {
#ifdef _WIN32
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

std::string DirectoryOf(const std::string& strPath) {
    std::size_t nSlash = strPath.size();
    while (nSlash > 0 && !IsPathSeparator(strPath[nSlash - 1])) --nSlash;
    nSlash = nSlash == 0 ? std::string::npos : nSlash - 1;
    if (nSlash == std::string::npos) return ".";
    if (nSlash == 0) return "/";
    return strPath.substr(0, nSlash);
}

bool EnsureDirectory(const std::string& strDir, FolderFailure& failure) {
    // Existing levels are left as they are.
    for (std::size_t end = 1; end <= strDir.size(); ++end) {
        if (end != strDir.size() && !IsPathSeparator(strDir[end])) continue;
        const std::string strPrefix = strDir.substr(0, end);
        if (!MakeDirectory(strPrefix) && errno != EEXIST) {
            failure = {strPrefix, std::strerror(errno)};
            return false;
        }
    }
    if (!IsDirectory(strDir)) {
        failure = {strDir, "a file of that name is in the way"};
        return false;
    }
    return true;
}

bool EnsureDirectory(const std::string& strDir, std::string& strError) {
    FolderFailure failure;
    if (EnsureDirectory(strDir, failure)) return true;
    strError = "Could not create the folder " + failure.strFolder + ": " + failure.strReason;
    return false;
}

#ifdef _WIN32

namespace {

DWORD AttributesOf(const std::string& strPath) {
    return ::GetFileAttributesW(WidePath(strPath).c_str());
}

}  // namespace

bool IsRegularFile(const std::string& strPath) {
    const HANDLE hFile = ::CreateFileW(WidePath(strPath).c_str(), 0,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool bFile = ::GetFileInformationByHandle(hFile, &info) &&
                       (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
                       ::GetFileType(hFile) == FILE_TYPE_DISK;
    ::CloseHandle(hFile);
    return bFile;
}

bool IsDirectory(const std::string& strPath) {
    const DWORD dwAttributes = AttributesOf(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeDirectory(const std::string& strDir) {
    if (::CreateDirectoryW(WidePath(strDir).c_str(), nullptr)) return true;
    errno = ErrnoFromWin32(::GetLastError());
    // "C:" and "\\server\share" cannot be created but are there.
    if (errno != EEXIST && IsDirectory(strDir)) errno = EEXIST;
    return false;
}

bool CanCreateFilesIn(const std::string& strDir) {
    std::string strProbe = strDir;
    if (!strProbe.empty() && !IsPathSeparator(strProbe.back())) strProbe += '\\';
    strProbe += "brisaloo-write-test-" + std::to_string(::GetCurrentProcessId());
    const HANDLE hFile =
        ::CreateFileW(WidePath(strProbe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(hFile);
    return true;
}

bool RemoveFile(const std::string& strPath) {
    return SystemFileOps().Unlink(strPath.c_str()) == 0;
}

bool IdentityOf(int fd, FileIdentity& identity) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(reinterpret_cast<HANDLE>(::_get_osfhandle(fd)), &info)) {
        errno = ErrnoFromWin32(::GetLastError());
        return false;
    }
    identity.nDevice = info.dwVolumeSerialNumber;
    identity.nFile = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

#else

bool IsRegularFile(const std::string& strPath) {
    struct stat info {};
    return ::stat(strPath.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsDirectory(const std::string& strPath) {
    struct stat info {};
    return ::stat(strPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeDirectory(const std::string& strDir) {
    return ::mkdir(strDir.c_str(), 0700) == 0;
}

bool CanCreateFilesIn(const std::string& strDir) {
    return ::access(strDir.empty() ? "/" : strDir.c_str(), W_OK) == 0;
}

bool RemoveFile(const std::string& strPath) {
    return ::unlink(strPath.c_str()) == 0;
}

bool IdentityOf(int fd, FileIdentity& identity) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return false;
    identity.nDevice = static_cast<unsigned long long>(info.st_dev);
    identity.nFile = static_cast<unsigned long long>(info.st_ino);
    return true;
}

#endif
