// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

#include "files/FileOps.h"

// The name of the file a save writes before it takes the place of strPath.
std::string TemporaryPathFor(const std::string& strPath);

// Replaces the file at strPath by the given bytes so that a crash or a failed
// step at any moment leaves either the old file or the new one whole: the
// bytes go to a temporary file beside it, are synced, and the temporary file
// is renamed over the old one, and the folder is synced so that the rename
// lasts. The file keeps its permissions (a new one gets newFileMode); a
// read-only file is not replaced. A link at strPath stays a link and its
// target is replaced. A temporary file left by a crash is removed first.
// Returns the reason when the file was not replaced, and then
// the old file is untouched and no temporary file is left.
std::optional<std::string> ReplaceFileAtomically(const std::string& strPath, std::string_view bytes,
                                                 IFileOps& ops = SystemFileOps(),
                                                 mode_t newFileMode = 0600);
