// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

// The commands of the tray menu, in the menu's order.
enum class TrayCommand { ShowMainScreen, Notes, Setup, Exit };

struct TrayMenuItem {
    TrayCommand command;
    int nCommandId;  // ID_TRAY_...
    const char* pszText;
};

// The tray menu (IDR_TRAYMENU): four items, no separators.
inline constexpr std::array<TrayMenuItem, 4> kTrayMenu{{
    {TrayCommand::ShowMainScreen, 32778, "Show Main Screen"},
    {TrayCommand::Notes, 32780, "Notes"},
    {TrayCommand::Setup, 32777, "Setup"},
    {TrayCommand::Exit, 32779, "Exit"},
}};

// The icon's id in the tray, the same number as the application icon.
inline constexpr int kTrayIconId = 128;
