// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "files/FileIo.h"

#ifdef _WIN32
#include <windows.h>

#include "files/FilePaths.h"
#endif

namespace {

std::string Reason(int nError) {
    return std::strerror(nError);
}

#ifdef _WIN32

// A link (symbolic link or junction) named notes.dat stays a link and its
// target is replaced.
std::optional<std::string> ResolveTarget(const std::string& strPath, std::string& strTarget) {
    strTarget = strPath;
    const DWORD dwAttributes = ::GetFileAttributesW(WidePath(strPath).c_str());
    if (dwAttributes == INVALID_FILE_ATTRIBUTES ||
        (dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return std::nullopt;
    if (!FinalPathOf(strPath, strTarget)) return Reason(errno);
    return std::nullopt;
}

// Windows has no mode bits to carry over: the new file takes the folder's
// permissions. The read-only attribute is refused as a read-only mode is on
// POSIX.
std::optional<std::string> ModeForReplacement(const std::string& strPath, mode_t& /*mode*/) {
    const DWORD dwAttributes = ::GetFileAttributesW(WidePath(strPath).c_str());
    if (dwAttributes == INVALID_FILE_ATTRIBUTES) {
        const int nError = ErrnoFromWin32(::GetLastError());
        if (nError != ENOENT) return Reason(nError);
        return std::nullopt;
    }
    if (dwAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
        return std::string("it is not a regular file");
    if (dwAttributes & FILE_ATTRIBUTE_READONLY) return std::string("the file is read-only");
    return std::nullopt;
}

// MOVEFILE_WRITE_THROUGH makes the rename durable; a folder cannot be synced.
void SyncDirectory(IFileOps& /*ops*/, const std::string& /*strDir*/) {}

#else

// Where the bytes go: a link named notes.dat stays a link and its target is
// replaced, in the target's directory.
std::optional<std::string> ResolveTarget(const std::string& strPath, std::string& strTarget) {
    struct stat st {};
    if (::lstat(strPath.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        strTarget = strPath;
        return std::nullopt;
    }
    char* pszReal = ::realpath(strPath.c_str(), nullptr);
    if (!pszReal) return Reason(errno);
    strTarget = pszReal;
    std::free(pszReal);
    return std::nullopt;
}

// The permissions for the new file (those of the old one; mode is left as it
// is when there is none), or why the old one may not be replaced.
std::optional<std::string> ModeForReplacement(const std::string& strPath, mode_t& mode) {
    struct stat st {};
    if (::stat(strPath.c_str(), &st) != 0) {
        if (errno != ENOENT) return Reason(errno);
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) return std::string("it is not a regular file");
    // Write bits are checked as well as access(): root may write anything, but
    // a file the user marked read-only stays as it is.
    if ((st.st_mode & 0222) == 0 || ::access(strPath.c_str(), W_OK) != 0) {
        return std::string("the file is read-only");
    }
    mode = st.st_mode & 07777;
    return std::nullopt;
}

// Makes the rename itself durable. The new file is in place whether or not
// this works, so a failure here is not a failed save.
void SyncDirectory(IFileOps& ops, const std::string& strDir) {
    const int fd = ops.Open(strDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return;
    ops.Fsync(fd);
    ops.Close(fd);
}

#endif

}  // namespace

std::string TemporaryPathFor(const std::string& strPath) {
    return strPath + ".tmp";
}

std::optional<std::string> ReplaceFileAtomically(const std::string& strPath, std::string_view bytes,
                                                 IFileOps& ops, mode_t newFileMode) {
    std::string strTarget;
    if (auto error = ResolveTarget(strPath, strTarget)) return error;
    mode_t mode = newFileMode;
    if (auto error = ModeForReplacement(strTarget, mode)) return error;

    const std::string strTemp = TemporaryPathFor(strTarget);
    if (ops.Unlink(strTemp.c_str()) != 0 && errno != ENOENT) {
        return "the leftover file " + strTemp + " could not be removed: " + Reason(errno);
    }
    const int fd = ops.Open(strTemp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    // The folder refused the new file (read-only, full): that is the cause to
    // name, not the file being saved.
    if (fd < 0)
        return "no new file can be made in the folder " + DirectoryOf(strTemp) + " (" +
               Reason(errno) + ")";

    // Any failure from here on: the temporary file goes, the old file stays.
    const auto abandon = [&](int nError, bool bStillOpen) {
        if (bStillOpen) ops.Close(fd);
        ops.Unlink(strTemp.c_str());
        return std::optional<std::string>(Reason(nError));
    };
    if (ops.Fchmod(fd, mode) != 0 || !WriteAll(fd, bytes, ops) || ops.Fsync(fd) != 0) {
        return abandon(errno, true);
    }
    if (ops.Close(fd) != 0) return abandon(errno, false);
    if (ops.Rename(strTemp.c_str(), strTarget.c_str()) != 0) return abandon(errno, false);
    SyncDirectory(ops, DirectoryOf(strTarget));
    return std::nullopt;
}
