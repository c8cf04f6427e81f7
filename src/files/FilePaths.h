// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Paths as text and as the file system resolves them, for UTF-8 paths. On
// Windows these are the system's own calls (GetFullPathNameW,
// GetFinalPathNameByHandleW), so that the program carries no file-system
// library of its own.

// "/home/u" on POSIX; "C:\\Users\\u" or "\\\\server\\share" on Windows.
bool IsAbsolutePath(const std::string& strPath);

// "/home/u/" gives "/home/u"; "/" stays "/" (and on Windows "C:\\" stays).
std::string WithoutTrailingSlashes(std::string strDir);

// strPath made absolute against the working folder, with "." and ".."
// resolved by the text alone; a separator at the end stays.
std::string AbsoluteCleanPath(const std::string& strPath);

// The folder with its links resolved when it exists, else AbsoluteCleanPath;
// an empty name is the root folder.
std::string CanonicalDirectory(const std::string& strDir);

#ifdef _WIN32
// The path of the file strPath names once every link and junction on the way
// is followed. False with errno set when it cannot be opened.
bool FinalPathOf(const std::string& strPath, std::string& strFinal);
#endif
