// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>

#include "countdown/CTime.h"
#include "countdown/CTimeSpan.h"

// Which ticks have nothing to show while the window is hidden in the tray.
// There nothing shows a second: the tip changes when its minute turns, the
// alert comes at the arrival, and until the earlier of the two a tick has
// nothing to compute. Those ticks leave the countdown alone (mktime and the
// refresh are most of a tick's cost). A clock set back before the last
// computation, or forward past the moment, ends the quiet at once.
class QuietTicks {
public:
    // The countdown was computed at refreshed and came to span.
    void Plan(CTime refreshed, const CTimeSpan& span) {
        const std::int64_t nLeft = span.GetTotalSeconds();
        const std::int64_t nQuiet = nLeft > 0 ? std::min(nLeft % 60 + 1, nLeft) : 0;
        m_timeRefreshed = refreshed;
        m_timeQuietUntil = CTime(refreshed.GetTime() + nQuiet);
    }
    // The next tick computes again (the clock or the arrival moved).
    void End() { m_timeQuietUntil = m_timeRefreshed; }
    [[gnu::hot]] bool IsQuiet(CTime now) const {
        return now.GetTime() >= m_timeRefreshed.GetTime() &&
               now.GetTime() < m_timeQuietUntil.GetTime();
    }

private:
    CTime m_timeRefreshed;   // the clock when the countdown was last computed
    CTime m_timeQuietUntil;  // a tick before this changes nothing the user sees
};
