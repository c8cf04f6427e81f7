// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "files/FileOps.h"
#include "trivia/TriviaTable.h"

// What the user is told when triv.dat or triv.tmp cannot be opened.
inline constexpr const char* kUnableToOpenFile = "Unable To Open File";

// The outcome of a load, for the window to show: one message box per message,
// in order. No messages: every line of the file is in the table.
struct TriviaLoadResult {
    std::vector<std::string> messages;
};

// Loads the trivia file strTrivPath into the table: decodes it into the
// temporary file strTmpPath, reads that back line by line into slots 1, 2, ...
// and deletes it. The table is either filled with the file's lines (at most
// 4999, with a notice when more were left out) or left empty with a message
// saying why. The temporary file is always created afresh and private:
// whatever stands at its name (a symlink, a FIFO) is removed first, never
// followed or written through. When it cannot be made at strTmpPath (a
// read-only data folder), it is made in strPrivateDir ($XDG_RUNTIME_DIR/brisaloo)
// if only this user can enter that, else in a new mkdtemp folder. A message
// starts with kUnableToOpenFile when a file could not be opened; its next line
// names the file and the reason, and what the user can do follows. The caller
// restarts the rotation's counter. ops is the seam through which triv.tmp is
// removed, created and written.
TriviaLoadResult LoadTrivia(const std::string& strTrivPath, const std::string& strTmpPath,
                            TriviaTable& table, const std::string& strPrivateDir = {},
                            IFileOps& ops = SystemFileOps());

// The same with strDir/triv.dat and strDir/triv.tmp.
TriviaLoadResult LoadTrivia(const std::string& strDir, TriviaTable& table);
