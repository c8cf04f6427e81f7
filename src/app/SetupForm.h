// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/Settings.h"

class IDialogView;
class IUserMessages;

// What Setup's fields amount to: the settings they hold, or the first field
// refused (in the order OK checks them) with what the user is told about it.
struct SetupFieldsResult {
    std::optional<Settings> settings;
    int nRefusedId = -1;
    std::string strMessage;
};

// Checks Setup's fields against their bounds in the order OK reads them: day,
// hour, minute, month, year, trivia interval. fieldText gives a field's text
// by control id. Members the dialog does not show are kept from settings.
SetupFieldsResult ReadSetupFields(const Settings& settings,
                                  const std::function<std::string(int nId)>& fieldText,
                                  bool bHideStart);

// The Setup dialog's form: arrival date and time, trivia interval, hide on
// start-up. It edits m_settings; OK takes the fields only when every one is a
// whole number in its range, and otherwise leaves m_settings as it was.
class SetupForm {
public:
    explicit SetupForm(const Settings& settings);

    void OnInitDialog(IDialogView& view);
    // True when the fields were taken into m_settings. On a refused field the
    // user is told why and the field gets the focus with its text selected.
    bool OnOK(IDialogView& view, IUserMessages& messages);

    Settings m_settings;
};
