// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "win/Handles.h"

// One copy per data folder: two would each save their notes over the other's.
// The claim is a named mutex in the session's namespace; the first copy's
// main window carries the same name as its window class, so a second copy
// can find it and ask it to come forward.

// "Brisaloo-" and a hash of the folder, the same for every spelling Windows
// takes as the same folder (case, separators, a trailing separator).
std::wstring InstanceName(const std::string& strDataFolder);

class SingleInstanceClaim {
public:
    explicit SingleInstanceClaim(const std::wstring& strInstanceName);
    // False when another copy holds the name.
    bool IsFirst() const { return m_bFirst; }

private:
    UniqueKernelHandle m_mutex;
    bool m_bFirst = true;
};

// Lets the first copy take the foreground and posts it the request to show
// its main window. False when no window of that name is there.
bool BringFirstCopyForward(const std::wstring& strInstanceName);
