// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

// Reads the whole file at strPath into bytes. False with errno set when it
// cannot be opened or read (ENOENT when it is not there).
bool ReadWholeFile(const std::string& strPath, std::string& bytes);

// The folder part of a path: "/a/b" for "/a/b/c", "/" for "/c", "." for "c".
// On Windows a backslash separates as well.
std::string DirectoryOf(const std::string& strPath);

// Creates a directory and its missing parents, each new level private to the
// user (0700 on POSIX); true when it exists afterwards, else strError says why.
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
