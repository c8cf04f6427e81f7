// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "app/Settings.h"
#include "countdown/CTime.h"
#include "files/TextSink.h"

class IProfile;

// Decides when to show the one "you have arrived" notification.
//
// An arrival is armed when the program sees it still ahead, and the alert
// fires at the first check at or after the arrival moment: when the countdown
// reaches zero, after a wake from sleep, or at the next start if the program
// was closed meanwhile. Firing disarms it, so it shows once per arrival. The
// armed arrival (see ArrivalKey) lives in a state file of Brisaloo's own, not
// in the user's profile, so a new arrival from Setup arms itself on its first
// check and a restart does not repeat the alert. An arrival never seen ahead
// (the default of a fresh profile, or a past moment entered in Setup) never
// alerts.
class ArrivalAlert {
public:
    // Starts from the state file at strStatePath; without one, from the
    // SETTINGS/ALERTARMED an earlier release kept in the profile, which is
    // only ever read. A state file that cannot be written leaves the alert
    // working for this run and says so once on err.
    ArrivalAlert(std::string strStatePath, IProfile& profile, ITextSink& err);

    // True exactly when the notification should be shown now. Call it on
    // every tick; it writes the state file only when the armed arrival changes.
    bool CheckOnTick(const ArrivalFields& arrival, CTime now);
    // The same with the arrival moment the caller has already built from the
    // fields this tick (mktime is most of a tick's cost).
    bool CheckOnTick(const ArrivalFields& arrival, CTime moment, CTime now);

    // CheckOnTick in two steps, for a notification that may not reach the
    // user (no notification server, no tray icon yet): IsDue says whether it
    // should be shown now, and only Delivered disarms the arrival, so the
    // next check is due again until then.
    bool IsDue(const ArrivalFields& arrival, CTime moment, CTime now);
    void Delivered();

    // The armed arrival a state file holds, nullopt when it holds none.
    static std::optional<int> ReadState(const std::string& strStatePath);

    // The arrival as a profile value: minutes since 1970-01-01 00:00 of the
    // five fields read as UTC, out-of-range fields carried as mktime does. It
    // names the arrival the user entered whatever the time zone, so a
    // traveller's change of zone does not re-arm an arrival already alerted.
    static int ArrivalKey(const ArrivalFields& arrival);

    // Where an earlier release kept the armed arrival, and the state file's key.
    static constexpr const char* kSection = "SETTINGS";
    static constexpr const char* kKey = "ALERTARMED";
    static constexpr int kNothingArmed = 0;

private:
    void Store(int nArmed);

    std::string m_strStatePath;
    ITextSink& m_err;
    bool m_bFailureReported = false;
    int m_nArmed;
};
