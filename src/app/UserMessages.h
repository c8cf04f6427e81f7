// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Every message box the program shows, on UTF-8 text: each shell implements
// it with its own boxes (titled kMessageTitle), tests with a recorder that
// answers in place of the user.
class IUserMessages {
public:
    virtual ~IUserMessages() = default;
    virtual void Inform(const std::string& strText) = 0;
    virtual void Warn(const std::string& strText) = 0;
    // A Yes/No question with No as the default button; true for Yes.
    virtual bool AskYesNo(const std::string& strText) = 0;
};

inline constexpr const char* kMessageTitle = "Brisaloo";
