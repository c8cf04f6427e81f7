// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <string>

#include "app/UserMessages.h"

class QWidget;

// Every message box the program shows goes through here, so that tests can
// read the text and answer the question without a modal loop.
namespace UserMessages {

enum class Kind { Information, Warning, Question };

// Returns true for OK / Yes.
using Handler = std::function<bool(Kind, const QString& strTitle, const QString& strText)>;

void Inform(QWidget* parent, const QString& strText);
void Warn(QWidget* parent, const QString& strText);
// A Yes/No question with No as the default button.
bool AskYesNo(QWidget* parent, const QString& strText);

// Replaces the real message boxes (tests); an empty handler restores them.
void SetHandler(Handler handler);

}  // namespace UserMessages

// The core's message interface over the boxes above.
class QtUserMessages final : public IUserMessages {
public:
    explicit QtUserMessages(QWidget* parent = nullptr) : m_parent(parent) {}
    void Inform(const std::string& strText) override;
    void Warn(const std::string& strText) override;
    bool AskYesNo(const std::string& strText) override;

private:
    QWidget* m_parent;
};
