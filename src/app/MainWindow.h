// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

class CCountdownApp;

// What start-up needs of the main window: run it until the user ends it.
class IMainWindow {
public:
    virtual ~IMainWindow() = default;
    // Shows the window and returns when it ends (Close, Exit, Escape).
    virtual int DoModal() = 0;
};

using MainWindowFactory = std::function<std::unique_ptr<IMainWindow>(CCountdownApp&)>;
