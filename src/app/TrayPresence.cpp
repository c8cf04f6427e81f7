// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TrayPresence.h"

void TrayPresence::OnAnswer(TrayIconAnswer answer) {
    m_answer = answer;
    m_nTicks = 0;
    if (answer == TrayIconAnswer::Shown) m_nTriesLeft = kRetries;
}

bool TrayPresence::Tick() {
    if (m_answer == TrayIconAnswer::Shown) return false;
    ++m_nTicks;
    if (m_answer == TrayIconAnswer::Pending) {
        // No answer in time counts as none: a window waiting to hide must not wait unseen.
        if (m_nTicks >= kAnswerTicks) OnAnswer(TrayIconAnswer::Failed);
        return false;
    }
    if (m_nTicks < kRetryTicks || m_nTriesLeft == 0) return false;
    --m_nTriesLeft;
    m_nTicks = 0;
    return true;
}
