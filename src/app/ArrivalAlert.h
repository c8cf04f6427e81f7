#pragma once

#include "app/Settings.h"
#include "countdown/CTime.h"

class IProfile;

// Decides when to show the one "you have arrived" notification.
//
// An arrival is armed when the program sees it still ahead, and the alert
// fires at the first check at or after the arrival moment: when the countdown
// reaches zero, after a wake from sleep, or at the next start if the program
// was closed meanwhile. Firing disarms it, so it shows once per arrival. The
// armed arrival lives in the profile (SETTINGS/ALERTARMED, see ArrivalKey), so
// a new arrival from Setup arms itself on its first check and a restart does
// not repeat the alert. An arrival never seen ahead (the default of a fresh
// profile, or a past moment entered in Setup) never alerts.
class ArrivalAlert {
public:
    explicit ArrivalAlert(IProfile& profile);

    // True exactly when the notification should be shown now. Call it on
    // every tick; it writes the profile only when the armed arrival changes.
    bool CheckOnTick(const ArrivalFields& arrival, CTime now);

    // The arrival as a profile value: minutes since 1970-01-01 00:00 of the
    // five fields read as UTC, out-of-range fields carried as mktime does. It
    // names the arrival the user entered whatever the time zone, so a
    // traveller's change of zone does not re-arm an arrival already alerted.
    static int ArrivalKey(const ArrivalFields& arrival);

    static constexpr const char* kSection = "SETTINGS";
    static constexpr const char* kKey = "ALERTARMED";
    static constexpr int kNothingArmed = 0;

private:
    void Store(int nArmed);

    IProfile& m_profile;
    int m_nArmed;
};
