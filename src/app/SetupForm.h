// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Settings.h"

// Minimal form for Setup: the settings the dialog starts from and, after OK,
// the checked ones. The full form (controls, checks) replaces this header.
class SetupForm {
public:
    explicit SetupForm(const Settings& s) : m_settings(s) {}
    Settings m_settings;
};
