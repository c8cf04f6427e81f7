// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/UserMessages.h"
#include "win/Win32.h"

// The program's message boxes, titled kMessageTitle, owned by this thread's
// active window, else by hOwner (nullptr before the main window exists).
class Win32UserMessages final : public IUserMessages {
public:
    explicit Win32UserMessages(HWND hOwner = nullptr) : m_hOwner(hOwner) {}
    void SetOwner(HWND hOwner) { m_hOwner = hOwner; }

    void Inform(const std::string& strText) override;
    void Warn(const std::string& strText) override;
    bool AskYesNo(const std::string& strText) override;

private:
    int Show(const std::string& strText, UINT uType);
    HWND m_hOwner;
};
