// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "files/FileOps.h"

// The small file helpers every reader and writer in Brisaloo shares.

// Writes all of bytes to fd, retrying after EINTR and after short writes. A
// write that reports 0 bytes counts as a failure (EIO) instead of looping for
// ever. False with errno set when not everything was written.
bool WriteAll(int fd, std::string_view bytes, IFileOps& ops = SystemFileOps());

// Reads fd from where it stands to its end into bytes (replacing what they
// held), retrying after EINTR. False with errno set on a read error.
bool ReadAll(int fd, std::string& bytes);

// Reads the whole file at strPath into bytes, whatever it is: a pipe or a
// device is read to its end. False with errno set when it cannot be opened or
// read (ENOENT when it is not there).
bool ReadWholeFile(const std::string& strPath, std::string& bytes);

// Why a file could not be opened or read: the reason in words for a message
// ("Permission denied", "it is a folder", "it is not a regular file"), and
// whether nothing at all is at that name.
struct ReadFailure {
    bool bAbsent = false;
    std::string strReason;
};

// Opens strPath for reading only when it is a regular file. The open never
// waits (a FIFO without a writer, a device), so a FIFO or anything else at a
// data file's name is refused instead of hanging the program. The descriptor
// (blocking again, close-on-exec), or -1 with failure filled in.
int OpenRegularFile(const std::string& strPath, ReadFailure& failure, int nExtraFlags = 0);

// The whole regular file at strPath into bytes (OpenRegularFile, then
// ReadAll); nothing on success.
std::optional<ReadFailure> ReadRegularFile(const std::string& strPath, std::string& bytes);

// The folder part of a path: "/a/b" for "/a/b/c", "/" for "/c", "." for "c".
// On Windows a backslash separates as well.
std::string DirectoryOf(const std::string& strPath);

// Which folder could not be made, and why.
struct FolderFailure {
    std::string strFolder;  // strDir itself, or the parent level that failed
    std::string strReason;
};

// Creates a directory and its missing parents, each new level private to the
// user (0700 on POSIX); true when it exists afterwards, else failure says
// which level could not be made and why.
bool EnsureDirectory(const std::string& strDir, FolderFailure& failure);
// The same, with the failure as one sentence for a message:
// "Could not create the folder <level>: <reason>".
bool EnsureDirectory(const std::string& strDir, std::string& strError);

// True for '/', and on Windows for '\\' too.
bool IsPathSeparator(char c);

// What the data location and autostart rules ask of the system, for UTF-8
// paths. IsRegularFile and IsDirectory follow links.
bool IsRegularFile(const std::string& strPath);
bool IsDirectory(const std::string& strPath);
// Creates one folder, private to the user on POSIX. False with errno set
// (EEXIST when something of that name is there).
bool MakeDirectory(const std::string& strDir);
// Whether this process may create files in strDir: access(W_OK) on POSIX; on
// Windows, where folder permissions are ACLs, by creating a file there.
bool CanCreateFilesIn(const std::string& strDir);
// Removes a file (a link itself, not its target). False with errno set.
bool RemoveFile(const std::string& strPath);

// Which file an open descriptor is: device and inode on POSIX, volume serial
// number and file index on Windows (where fstat gives no inode).
struct FileIdentity {
    unsigned long long nDevice = 0;
    unsigned long long nFile = 0;
    bool operator==(const FileIdentity&) const = default;
};
// False with errno set when the system cannot tell.
bool IdentityOf(int fd, FileIdentity& identity);
