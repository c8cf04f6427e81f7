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
std::string DirectoryOf(const std::string& strPath);

// Creates a directory and its missing parents, each new level private to the
// user (0700); true when it exists afterwards, else strError says why.
bool EnsureDirectory(const std::string& strDir, std::string& strError);
