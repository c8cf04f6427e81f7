// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "UiTestSupport.h"
#include "app/CCountdownApp.h"
#include "countdown/Clock.h"
#include "support/MemoryProfile.h"
#include "support/TempDir.h"
#include "qt/CCountdownDlg.h"

// The main window over a private data folder, an in-memory profile and a
// fixed clock, with message boxes recorded instead of shown. The arrival is
// 2027-01-01 00:00 unless the test asks for the profile's defaults.
struct MainWindowFixture {
    explicit MainWindowFixture(std::int64_t now, bool bArrival2027 = true)
        : clock(now), app(profile) {
        if (!bArrival2027) return;
        for (const auto& [key, value] :
             {std::pair{"YEAR", 2027}, {"MONTH", 1}, {"DAY", 1}, {"HOUR", 0}, {"MINUTE", 0}})
            profile.Set("DESTINATION", key, value);
    }

    // Reads the paths and settings and builds the window, not yet initialised.
    void MakeWindow() {
        app.LoadPathsAndSettings({dir.Str() + "/brisaloo", std::nullopt, std::nullopt});
        dlg = std::make_unique<CCountdownDlg>(app, clock);
    }

    MessageRecorder messages;
    TempDir dir;
    MemoryProfile profile;
    FixedClock clock;
    CCountdownApp app;
    std::unique_ptr<CCountdownDlg> dlg;
};
