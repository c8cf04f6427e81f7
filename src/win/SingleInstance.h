// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "app/Startup.h"
#include "win/Handles.h"

// One copy per data folder: two would each save their notes over the other's.
// The claim is a named mutex in the session's namespace. Every copy's main
// window has the one class kMainWindowClass, so that the installer finds each
// running copy and asks it to close; a property on it names its data folder,
// so a second copy for that folder finds it and asks it to come forward.

inline constexpr wchar_t kMainWindowClass[] = L"Brisaloo";

// "Brisaloo-" and a hash of the folder, the same for every spelling Windows
// takes as the same folder (case, separators, a trailing separator).
std::wstring InstanceName(const std::string& strDataFolder);

// Marks hMainWindow as the copy for strInstanceName's folder.
void MarkAsInstance(HWND hMainWindow, const std::wstring& strInstanceName);
// The main window of the running copy for strInstanceName's folder, or nullptr.
HWND FindRunningCopy(const std::wstring& strInstanceName);

// The claim on the data folder, held until the object goes. A second copy's
// request to show arrives at the first copy's main window
// (Win32MainWindow::ShowRequestMessage).
class SingleInstanceLock final : public IInstanceLock {
public:
    explicit SingleInstanceLock(std::wstring strInstanceName)
        : m_strInstanceName(std::move(strInstanceName)) {}

    Claim TryClaim() override;
    // Lets the first copy take the foreground and posts it the request to
    // show its main window; false when no window of that name is there.
    bool AskRunningCopyToShow() override;

private:
    std::wstring m_strInstanceName;
    UniqueKernelHandle m_mutex;
};
