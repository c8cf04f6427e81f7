// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "win/Win32.h"

// A windowed program has no console of its own. What --print, --help and
// --version write goes to the standard handles when they were redirected (a
// pipe, a file), else to the console the program was started from, if any.
// Text is UTF-8; a console gets it as UTF-16.
void WriteToParent(DWORD nStdHandle, const std::string& strText);
