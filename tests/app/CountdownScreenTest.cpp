// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CountdownScreen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "FakeDialogView.h"
#include "app/CCountdownApp.h"
#include "app/DialogTemplates.h"
#include "app/MainView.h"
#include "app/NotesScreen.h"
#include "app/ProfileSettings.h"
#include "app/SetupForm.h"
#include "app/UserMessages.h"
#include "countdown/Clock.h"
#include "support/CountingRandom.h"
#include "support/MemoryProfile.h"
#include "support/TempDir.h"
#include "trivia/TriviaCodec.h"

namespace {

// 2027-01-01 00:00:00 UTC; tests run with TZ=UTC.
constexpr std::int64_t kArrival2027 = 1798761600;

std::string Text(int nId, const std::string& strText) {
    return "text " + std::to_string(nId) + " " + strText;
}

// A main window that records every call in order. Like a window system, it
// reports the window becoming visible when a hidden window is shown or
// minimised.
class RecordingView final : public IMainView {
public:
    void SetDlgItemText(int nId, const std::string& strText) override {
        m_log.push_back(Text(nId, strText));
    }
    void SetCaption(const std::string& strCaption) override {
        m_log.push_back("caption " + strCaption);
    }
    void StartTimer(int nPeriodMs) override {
        m_log.push_back("timer " + std::to_string(nPeriodMs));
    }
    void StopTimer() override { m_log.push_back("timer stop"); }
    TrayIconAnswer AddTrayIcon(const std::string& strTip) override {
        m_log.push_back("tray add " + strTip);
        return m_bTray ? m_trayAnswer : TrayIconAnswer::Failed;
    }
    void SetTrayTip(const std::string& strTip) override { m_log.push_back("tip " + strTip); }
    void RemoveTrayIcon() override { m_log.push_back("tray remove"); }
    bool Notify(const std::string& strTitle, const std::string& strText) override {
        m_log.push_back("notify " + strTitle + ": " + strText);
        return m_bDelivers;
    }
    void PopUpTrayMenu() override { m_log.push_back("tray menu"); }
    void HideWindow() override {
        m_log.push_back("hide");
        m_bVisible = false;
    }
    void MinimiseWindow() override { Appear("minimise"); }
    void ShowWindow() override { Appear("show"); }
    void SetClipboardText(const std::string& strText) override {
        m_log.push_back("clipboard " + strText);
    }
    bool RunSetupDialog(SetupForm& form) override {
        m_log.push_back("setup");
        return m_setup && m_setup(form);
    }
    void RunNotesDialog(NotesScreen& notes) override {
        m_log.push_back("notes");
        if (m_notes) m_notes();
        if (m_notesScreen) m_notesScreen(notes);
    }
    void RunAboutDialog() override {
        m_log.push_back("about");
        if (m_about) m_about();
    }
    void BringDialogForward() override { m_log.push_back("forward"); }
    void CloseNestedDialogs() override { m_log.push_back("close nested"); }
    void EndMainWindow() override { m_log.push_back("end"); }

    std::vector<std::string> Take() { return std::exchange(m_log, {}); }

    CountdownScreen* m_pScreen = nullptr;
    bool m_bTray = true;
    TrayIconAnswer m_trayAnswer = TrayIconAnswer::Shown;  // when there is a tray
    bool m_bDelivers = true;                              // a notification reaches the user
    std::function<bool(SetupForm&)> m_setup;              // the user's answer in Setup
    std::function<void()> m_notes;                        // what happens while Notes is open
    std::function<void(NotesScreen&)> m_notesScreen;
    std::function<void()> m_about;

private:
    void Appear(const char* pszHow) {
        m_log.push_back(pszHow);
        if (!m_bVisible && m_pScreen) m_pScreen->OnShown();
        m_bVisible = true;
    }
    std::vector<std::string> m_log;
    bool m_bVisible = false;
};

class RecordingMessages final : public IUserMessages {
public:
    void Inform(const std::string& strText) override { m_texts.push_back(strText); }
    void Warn(const std::string& strText) override {
        m_texts.push_back(strText);
        if (m_onWarn) m_onWarn();
    }
    bool AskYesNo(const std::string& strText) override {
        m_texts.push_back(strText);
        return false;
    }
    std::vector<std::string> m_texts;
    std::function<void()> m_onWarn;  // the user's session ends while the box is open
};

const char* const kThreeEntries = "1|GEO|Where?|Here|\n2|SCI|Why?|Because|\n3|HIS|No answer?\n";

// The application over a private data folder holding three trivia entries,
// with the arrival 2027-01-01 00:00.
struct LoadedApp {
    LoadedApp() : app(profile) {
        for (const auto& [key, value] :
             {std::pair{"YEAR", 2027}, {"MONTH", 1}, {"DAY", 1}, {"HOUR", 0}, {"MINUTE", 0}})
            profile.Set("DESTINATION", key, value);
        WriteFileBytes(dir / "triv.dat", PackTrivia(kThreeEntries));
        app.LoadPathsAndSettings({dir.Str() + "/brisaloo", std::nullopt, std::nullopt});
    }
    TempDir dir;
    MemoryProfile profile;
    CCountdownApp app;
};

struct Fixture : LoadedApp {
    explicit Fixture(std::int64_t now, bool bInitialise = true) : clock(now) {
        view.m_pScreen = &screen;
        screen.SetTriviaRandom(std::make_unique<CountingRandom>());
        if (!bInitialise) return;
        screen.OnInitDialog();
        view.Take();
    }
    // One tick a second later.
    void Tick() {
        clock.Advance(1);
        screen.OnTimer();
    }

    FixedClock clock;
    RecordingView view;
    RecordingMessages messages;
    CountdownScreen screen{app, clock, view, messages};
};

using Log = std::vector<std::string>;

TEST(CountdownScreenTest, InitialisesInOrder) {
    Fixture f(kArrival2027 - 90061, false);
    WriteFileBytes(f.dir / "notes.dat", "Passport\r\nX123\r\n.\r\n");
    f.screen.OnInitDialog();
    EXPECT_EQ(f.app.m_notes.m_nLastNote, 0);
    EXPECT_EQ(
        f.view.Take(),
        (Log{Text(IDC_ARRIVAL, "Friday January 01, 2027 00:00"), Text(IDC_DAYS, "1"),
             Text(IDC_HOURS, "1"), Text(IDC_MINUTES, "1"), Text(IDC_SECONDS, "1"),
             Text(IDC_TOTAL_HOURS, "25"), Text(IDC_TOTAL_MINUTES, "1501"),
             Text(IDC_TOTAL_SECONDS, "90061"), "timer 500", "caption Brisaloo (1 Days 1 Hrs 1 Min)",
             "tray add This is a test string", "tip Brisaloo: D:1 H:1 M:1",
             Text(IDC_TRIVIA_QUESTION, "Where?"), Text(IDC_TRIVIA_ANSWER, ""), "show"}));
    EXPECT_TRUE(f.messages.m_texts.empty());
    f.screen.OnInitDialog();  // once only
    EXPECT_TRUE(f.view.Take().empty());
}

TEST(CountdownScreenTest, MissingTriviaIsSaidAndTheCountdownRunsOn) {
    Fixture f(kArrival2027 - 10, false);
    std::filesystem::remove(f.dir / "triv.dat");
    f.screen.OnInitDialog();
    ASSERT_EQ(f.messages.m_texts.size(), 1u);
    EXPECT_EQ(f.messages.m_texts[0].rfind("Unable To Open File\n", 0), 0u);
    const Log log = f.view.Take();
    EXPECT_EQ(Log(log.end() - 3, log.end()), (Log{Text(IDC_TRIVIA_QUESTION, "No trivia loaded."),
                                                  Text(IDC_TRIVIA_ANSWER, ""), "show"}));
    f.Tick();
    EXPECT_EQ(f.view.Take(), (Log{Text(IDC_SECONDS, "9"), Text(IDC_TOTAL_SECONDS, "9")}));
}

// Two ticks a second: the 30th reveals the answer, the 60th picks anew.
TEST(CountdownScreenTest, TicksRevealHalfWayAndPickAtTheInterval) {
    Fixture f(kArrival2027 - 1000);
    Log trivia;
    for (int nTick = 1; nTick <= 60; ++nTick) {
        f.screen.OnTimer();
        for (const std::string& strWrite : f.view.Take())
            if (strWrite.rfind("text 1018 ", 0) == 0 || strWrite.rfind("text 1021 ", 0) == 0)
                trivia.push_back(std::to_string(nTick) + " " + strWrite);
    }
    EXPECT_EQ(trivia, (Log{"30 " + Text(IDC_TRIVIA_ANSWER, "Here"),
                           "60 " + Text(IDC_TRIVIA_QUESTION, "Why?"),
                           "60 " + Text(IDC_TRIVIA_ANSWER, "")}));
}

// An end requested while a start-up message is open stops the start there:
// no timer, no tray icon, no more messages for a user who has gone.
TEST(CountdownScreenTest, EndDuringInitialisationStopsIt) {
    Fixture f(kArrival2027, false);
    std::filesystem::create_directory(f.dir / "notes.dat");  // cannot be read: a warning
    std::filesystem::remove(f.dir / "triv.dat");             // would be a second one
    f.messages.m_onWarn = [&f] { f.screen.OnEndSession(); };
    f.screen.OnInitDialog();
    EXPECT_EQ(f.messages.m_texts.size(), 1u);
    EXPECT_EQ(f.view.Take(), (Log{"close nested", "tray remove", "timer stop", "end"}));
    EXPECT_TRUE(f.screen.IsEnded());
}

struct TickCase {
    const char* pszName;
    std::int64_t nBefore;  // seconds before the arrival at the start
    bool bInTray;
    Log expected;  // what the tick a second later writes
};

class TickWrites : public testing::TestWithParam<TickCase> {};

TEST_P(TickWrites, WritesWhatChanged) {
    const TickCase& c = GetParam();
    Fixture f(kArrival2027 - c.nBefore);
    if (c.bInTray) f.screen.OnHideMe();
    f.view.Take();
    f.Tick();
    EXPECT_EQ(f.view.Take(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    CountdownScreenTest, TickWrites,
    testing::Values(
        TickCase{"Second", 65, false, {Text(IDC_SECONDS, "4"), Text(IDC_TOTAL_SECONDS, "64")}},
        TickCase{"Minute",
                 60,
                 false,
                 {Text(IDC_SECONDS, "59"), Text(IDC_TOTAL_SECONDS, "59"), Text(IDC_MINUTES, "0"),
                  Text(IDC_TOTAL_MINUTES, "0"), "caption Brisaloo (0 Days 0 Hrs 0 Min)",
                  "tip Brisaloo: D:0 H:0 M:0"}},
        TickCase{"Day",
                 86400,
                 false,
                 {Text(IDC_SECONDS, "59"), Text(IDC_TOTAL_SECONDS, "86399"),
                  Text(IDC_MINUTES, "59"), Text(IDC_TOTAL_MINUTES, "1439"), Text(IDC_HOURS, "23"),
                  Text(IDC_TOTAL_HOURS, "23"), Text(IDC_DAYS, "0"),
                  "caption Brisaloo (0 Days 23 Hrs 59 Min)", "tip Brisaloo: D:0 H:23 M:59"}},
        TickCase{"SecondInTray", 65, true, {}},
        TickCase{"MinuteInTray", 60, true, {"tip Brisaloo: D:0 H:0 M:0"}},
        TickCase{
            "ArrivalInTray", 1, true, {"notify You have arrived: Friday January 01, 2027 00:00"}}),
    [](const testing::TestParamInfo<TickCase>& info) { return info.param.pszName; });

// In the tray the ticks between two visible changes skip the countdown; the
// tip and the alert must still come on their second, and a clock set back
// must still be seen.
struct TrayClockCase {
    const char* pszName;
    std::int64_t nBefore;             // seconds before the arrival when hidden
    std::vector<std::int64_t> steps;  // the clock's move before each tick
    Log expected;                     // what all those ticks write
};

class TrayTicks : public testing::TestWithParam<TrayClockCase> {};

TEST_P(TrayTicks, ChangeOnlyWhatTheTrayShowsOnItsSecond) {
    const TrayClockCase& c = GetParam();
    Fixture f(kArrival2027 - c.nBefore);
    f.screen.OnHideMe();
    f.view.Take();
    for (const std::int64_t nStep : c.steps) {
        f.clock.Advance(nStep);
        f.screen.OnTimer();
    }
    EXPECT_EQ(f.view.Take(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    CountdownScreenTest, TrayTicks,
    testing::Values(
        TrayClockCase{"MinuteTurns", 65, {1, 1, 1, 1, 1, 1}, {"tip Brisaloo: D:0 H:0 M:0"}},
        TrayClockCase{
            "Arrival", 3, {1, 1, 1}, {"notify You have arrived: Friday January 01, 2027 00:00"}},
        TrayClockCase{"ClockSetBack", 65, {1, -60}, {"tip Brisaloo: D:0 H:0 M:2"}}),
    [](const testing::TestParamInfo<TrayClockCase>& info) { return info.param.pszName; });

TEST(CountdownScreenTest, TimeChangeInTheTrayIsSeenAtOnce) {
    Fixture f(kArrival2027 - 65);
    f.screen.OnHideMe();
    f.Tick();
    f.view.Take();
    f.app.m_settings.nHour = 1;  // the arrival's moment moves, as a new time zone moves it
    f.screen.OnTimeChange();
    EXPECT_EQ(f.view.Take(), (Log{"tip Brisaloo: D:0 H:1 M:1"}));
}

TEST(CountdownScreenTest, ShowWritesOnlyTheLastTextOfEachWaitingField) {
    Fixture f(kArrival2027 - 121);
    f.screen.OnHideMe();
    for (int nTick = 0; nTick < 3; ++nTick) f.Tick();
    f.screen.OnPause();
    f.view.Take();
    f.screen.OnShowMainScreen();
    EXPECT_EQ(f.view.Take(),
              (Log{"show", Text(IDC_SECONDS, "58"), Text(IDC_MINUTES, "1"),
                   Text(IDC_TOTAL_MINUTES, "1"), Text(IDC_TOTAL_SECONDS, "118"),
                   Text(IDC_PAUSE_TEXT, "***PAUSED***"), "caption Brisaloo (0 Days 0 Hrs 1 Min)"}));
    f.view.HideWindow();  // hidden by other means than the tray: nothing waits
    f.screen.OnShown();
    f.Tick();
    EXPECT_EQ(f.view.Take(),
              (Log{"hide", Text(IDC_SECONDS, "57"), Text(IDC_TOTAL_SECONDS, "117")}));
}

// The window's start: shown, or hidden in the tray, or minimised where no
// icon is in a tray; never shown first and hidden later, and a start-up
// message box (with ticks while it is open) changes nothing of it.
struct StartCase {
    const char* pszName;
    bool bHideStart;    // the setting
    bool bStartHidden;  // --hidden
    TrayIconAnswer tray;
    bool bBox;     // a start-up message box is open for a few ticks
    Log expected;  // what the window is asked: show, hide, minimise
    bool bInTray;
};

class Start : public testing::TestWithParam<StartCase> {};

TEST_P(Start, DecidedOnceAtInitialisation) {
    const StartCase& c = GetParam();
    Fixture f(kArrival2027 - 100, false);
    f.app.m_settings.bHideStart = c.bHideStart;
    f.screen.SetStartHidden(c.bStartHidden);
    f.view.m_trayAnswer = c.tray;
    if (c.bBox) {
        std::filesystem::remove(f.dir / "triv.dat");  // a warning after the timer started
        f.messages.m_onWarn = [&f] {
            for (int nTick = 0; nTick < 3; ++nTick) f.Tick();
        };
    }
    f.screen.OnInitDialog();
    for (int nTick = 0; nTick < 3; ++nTick) f.Tick();
    Log window;
    for (const std::string& strCall : f.view.Take())
        if (strCall == "show" || strCall == "hide" || strCall == "minimise")
            window.push_back(strCall);
    EXPECT_EQ(window, c.expected);
    EXPECT_EQ(f.screen.IsInTray(), c.bInTray);
}

INSTANTIATE_TEST_SUITE_P(
    CountdownScreenTest, Start,
    testing::Values(
        StartCase{"Shown", false, false, TrayIconAnswer::Shown, false, {"show"}, false},
        StartCase{"ShownAfterABox", false, false, TrayIconAnswer::Shown, true, {"show"}, false},
        StartCase{"Setting", true, false, TrayIconAnswer::Shown, false, {}, true},
        StartCase{"Option", false, true, TrayIconAnswer::Shown, false, {}, true},
        StartCase{"HiddenAfterABox", false, true, TrayIconAnswer::Shown, true, {}, true},
        StartCase{"NoTray", true, false, TrayIconAnswer::Failed, false, {"minimise"}, false},
        StartCase{"TrayStillAnswering", true, false, TrayIconAnswer::Pending, true, {}, false}),
    [](const testing::TestParamInfo<StartCase>& info) { return info.param.pszName; });

TEST(CountdownScreenTest, LostTrayMinimisesAHiddenWindowAndWritesItsFields) {
    Fixture f(kArrival2027 - 65);
    f.screen.OnTrayLost();  // shown: nothing to do
    EXPECT_TRUE(f.view.Take().empty());
    f.screen.OnTrayIconShown();  // the panel came back
    f.screen.OnHideMe();
    f.Tick();
    f.view.m_bTray = false;
    f.view.Take();
    f.screen.OnTrayLost();
    EXPECT_EQ(f.view.Take(),
              (Log{"minimise", Text(IDC_SECONDS, "4"), Text(IDC_TOTAL_SECONDS, "64")}));
    EXPECT_FALSE(f.screen.IsInTray());
}

TEST(CountdownScreenTest, PauseTogglesTheBannerAndFreezesTheTrivia) {
    Fixture f(kArrival2027 - 1000);
    f.screen.OnPause();
    EXPECT_EQ(f.view.Take(), Log{Text(IDC_PAUSE_TEXT, "***PAUSED***")});
    EXPECT_TRUE(f.screen.IsPaused());
    for (int nTick = 0; nTick < 60; ++nTick) f.screen.OnTimer();
    for (const std::string& strWrite : f.view.Take())
        EXPECT_EQ(strWrite.find(Text(IDC_TRIVIA_ANSWER, "")), std::string::npos) << strWrite;
    f.screen.OnPause();
    EXPECT_EQ(f.view.Take(), Log{Text(IDC_PAUSE_TEXT, "")});
    EXPECT_FALSE(f.screen.IsPaused());
}

TEST(CountdownScreenTest, CopyPutsTheCountdownOfTheClick) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {90061, "1 Days 1 Hrs 1 Mins 1 Secs"},
        {0, "0 Days 0 Hrs 0 Mins 0 Secs"},
        {-61, "0 Days 0 Hrs -1 Mins -1 Secs"},
    };
    for (const auto& [nSpan, pszText] : cases) {
        Fixture f(kArrival2027 - 5);
        f.clock.Set(kArrival2027 - nSpan);  // the fields are stale; the copy is not
        f.screen.OnCopyToClipboard();
        EXPECT_EQ(f.view.Take(), Log{std::string("clipboard ") + pszText});
    }
}

TEST(CountdownScreenTest, SetupOkAppliesStoresAndRedrawsAll) {
    Fixture f(kArrival2027 - 90061);
    f.view.m_setup = [](SetupForm& form) {
        form.m_settings.nYear = 2028;
        form.m_settings.nTrivTime = 45;
        return true;
    };
    f.screen.OnSetup();
    EXPECT_EQ(f.app.m_settings.nYear, 2028);
    EXPECT_EQ(f.profile.Writes(),
              (Log{"DESTINATION/YEAR=2028", "DESTINATION/MONTH=1", "DESTINATION/DAY=1",
                   "DESTINATION/HOUR=0", "DESTINATION/MINUTE=0", "SETTINGS/TRIVTIME=45",
                   "SETTINGS/HIDESTART=0"}));
    const Log log = f.view.Take();
    ASSERT_EQ(log.size(), 11u);
    EXPECT_EQ(log[0], "setup");
    EXPECT_EQ(log[1], Text(IDC_SECONDS, "1"));
    EXPECT_EQ(log[8], Text(IDC_ARRIVAL, "Saturday January 01, 2028 00:00"));
    EXPECT_EQ(log[9], "caption Brisaloo (366 Days 1 Hrs 1 Min)");
    EXPECT_EQ(f.screen.Rotation()->Interval(), 45);
    EXPECT_TRUE(f.messages.m_texts.empty());

    f.view.m_setup = [](SetupForm& form) {
        form.m_settings.nYear = 2030;
        return false;  // Cancel
    };
    f.screen.OnSetup();
    EXPECT_EQ(f.view.Take(), Log{"setup"});
    EXPECT_EQ(f.app.m_settings.nYear, 2028);
    EXPECT_EQ(f.profile.Writes().size(), 7u);
}

TEST(CountdownScreenTest, SetupSaysWhenTheProfileCannotBeWritten) {
    Fixture f(kArrival2027 - 10);
    f.profile.FailWrites(true);
    f.view.m_setup = [](SetupForm& form) {
        form.m_settings.nYear = 2030;
        return true;
    };
    f.screen.OnSetup();
    EXPECT_EQ(f.messages.m_texts,
              Log{"The settings could not be saved to the profile. They apply until Brisaloo "
                  "ends."});
    EXPECT_EQ(f.app.m_settings.nYear, 2030);  // the settings still apply for this run
}

// A profile that cannot be read is said once at start-up, and again at
// Setup's OK, which cannot save over it.
TEST(CountdownScreenTest, UnreadableProfileIsSaidAtStartAndAtSetup) {
    Fixture f(kArrival2027 - 10, false);
    const ProfileReadFailure failure{"/cfg/Brisaloo.ini", "it is a folder"};
    f.profile.m_readFailure = failure;
    f.app.LoadPathsAndSettings({f.dir.Str() + "/brisaloo", std::nullopt, std::nullopt});
    f.screen.OnInitDialog();
    f.screen.OnInitDialog();
    EXPECT_EQ(f.messages.m_texts, Log{UnreadableProfileWarning(failure)});
    f.profile.FailWrites(true);
    f.view.m_setup = [](SetupForm&) { return true; };
    f.screen.OnSetup();
    EXPECT_EQ(f.messages.m_texts.back(), ProfileNotSavedMessage(f.profile));
    EXPECT_NE(f.messages.m_texts.back().find("(it is a folder)"), std::string::npos);
}

struct CommandCase {
    const char* pszName;
    std::function<void(CountdownScreen&)> event;
    Log expected;
};

class Commands : public testing::TestWithParam<CommandCase> {};

TEST_P(Commands, ReachTheView) {
    const CommandCase& c = GetParam();
    Fixture f(kArrival2027 - 100);
    c.event(f.screen);
    EXPECT_EQ(f.view.Take(), c.expected);
}

const Log kEnd{"close nested", "tray remove", "timer stop", "end"};

INSTANTIATE_TEST_SUITE_P(
    CountdownScreenTest, Commands,
    testing::Values(
        CommandCase{"TrayShow",
                    [](CountdownScreen& s) { s.OnTrayCommand(TrayCommand::ShowMainScreen); },
                    {"show"}},
        CommandCase{"TrayNotes",
                    [](CountdownScreen& s) { s.OnTrayCommand(TrayCommand::Notes); },
                    {"notes"}},
        CommandCase{"TraySetup",
                    [](CountdownScreen& s) { s.OnTrayCommand(TrayCommand::Setup); },
                    {"setup"}},
        CommandCase{"TrayExit", [](CountdownScreen& s) { s.OnTrayCommand(TrayCommand::Exit); },
                    kEnd},
        CommandCase{"TrayLeftClick", [](CountdownScreen& s) { s.OnTrayMenu(); }, {"tray menu"}},
        CommandCase{"About", [](CountdownScreen& s) { s.OnAbout(); }, {"about"}},
        CommandCase{"Close",
                    [](CountdownScreen& s) {
                        s.OnClose();
                        s.OnClose();
                    },
                    kEnd},
        CommandCase{"EndSession",
                    [](CountdownScreen& s) { s.OnEndSession(); },
                    {"close nested", "tray remove", "timer stop", "end"}}),
    [](const testing::TestParamInfo<CommandCase>& info) { return info.param.pszName; });

// The end of the session while Notes is open: its edit is saved first (the
// notes screen's own tests show the bytes), then every dialog closes and the
// window ends with the tray icon and the timer.
TEST(CountdownScreenTest, EndSessionDuringNotesClosesInOrder) {
    Fixture f(kArrival2027 - 100);
    f.view.m_notes = [&f] { f.screen.OnEndSession(); };
    f.screen.OnNotes();
    EXPECT_EQ(f.view.Take(), (Log{"notes", "close nested", "tray remove", "timer stop", "end"}));
}

// While one dialog is open, a command for any dialog brings it forward; Show
// Main Screen shows the window with the dialog above it.
struct DialogCommand {
    const char* pszName;
    void (*command)(CountdownScreen&);
    Log expected;
};

const DialogCommand kDialogCommands[] = {
    {"Setup", [](CountdownScreen& s) { s.OnSetup(); }, {"forward"}},
    {"Notes", [](CountdownScreen& s) { s.OnNotes(); }, {"forward"}},
    {"About", [](CountdownScreen& s) { s.OnAbout(); }, {"forward"}},
    {"TraySetup", [](CountdownScreen& s) { s.OnTrayCommand(TrayCommand::Setup); }, {"forward"}},
    {"TrayNotes", [](CountdownScreen& s) { s.OnTrayCommand(TrayCommand::Notes); }, {"forward"}},
    {"SecondStart", [](CountdownScreen& s) { s.OnShowMainScreen(); }, {"show", "forward"}},
};

std::string OneDialogName(const std::tuple<NestedDialog, DialogCommand>& param) {
    const char* const pszOpen[] = {"", "Setup", "Notes", "About"};
    return std::string(pszOpen[int(std::get<0>(param))]) + "Open" + std::get<1>(param).pszName;
}

class OneDialog : public testing::TestWithParam<std::tuple<NestedDialog, DialogCommand>> {};

TEST_P(OneDialog, CommandBringsTheOpenDialogForward) {
    const auto& [open, command] = GetParam();
    Fixture f(kArrival2027 - 100);
    Log during;
    bool bInside = false;  // a second dialog would run the command again
    const auto inside = [&] {
        if (std::exchange(bInside, true)) return;
        f.view.Take();
        command.command(f.screen);
        during = f.view.Take();
    };
    f.view.m_setup = [&](SetupForm&) {
        inside();
        return false;
    };
    f.view.m_notes = inside;
    f.view.m_about = inside;
    if (open == NestedDialog::Setup) f.screen.OnSetup();
    if (open == NestedDialog::Notes) f.screen.OnNotes();
    if (open == NestedDialog::About) f.screen.OnAbout();
    EXPECT_EQ(during, command.expected);
    EXPECT_EQ(f.screen.OpenDialog(), NestedDialog::None);
}

INSTANTIATE_TEST_SUITE_P(CountdownScreenTest, OneDialog,
                         testing::Combine(testing::Values(NestedDialog::Setup, NestedDialog::Notes,
                                                          NestedDialog::About),
                                          testing::ValuesIn(kDialogCommands)),
                         [](const auto& info) { return OneDialogName(info.param); });

// Every way out while a note is being edited, after a second Notes was
// refused: the edit lands in its own note, then the end path runs in order.
struct WayOut {
    const char* pszName;
    void (*end)(CountdownScreen&);
};

class EveryWayOut : public testing::TestWithParam<WayOut> {};

TEST_P(EveryWayOut, SavesThePendingEditAndEnds) {
    Fixture f(kArrival2027 - 100, false);
    WriteFileBytes(f.dir / "notes.dat", "Passport\r\nX123\r\n.\r\nVisa\r\nV9\r\n.\r\n");
    f.screen.OnInitDialog();
    FakeDialogView dialog;
    f.view.m_notesScreen = [&](NotesScreen& notes) {
        dialog.m_onChange = [&](int nId) {
            if (nId == IDC_NOTE_BODY) notes.OnChangeNoteBody();
        };
        notes.OnInitDialog(dialog);
        dialog.SetListSelection(IDC_NOTE_LIST, 1);
        notes.OnSelectNote();
        dialog.SetItemText(IDC_NOTE_BODY, "V10");
        f.screen.OnTrayCommand(TrayCommand::Notes);
        f.view.Take();
        GetParam().end(f.screen);
    };
    f.screen.OnNotes();
    EXPECT_EQ(ReadFileBytes(f.dir / "notes.dat"), "Passport\r\nX123\r\n.\r\nVisa\r\nV10\r\n.\r\n");
    EXPECT_EQ(f.view.Take(), kEnd);
    EXPECT_TRUE(f.screen.IsEnded());
}

INSTANTIATE_TEST_SUITE_P(
    CountdownScreenTest, EveryWayOut,
    testing::Values(WayOut{"Close", [](CountdownScreen& s) { s.OnClose(); }},
                    WayOut{"TrayExit", [](CountdownScreen& s) { s.OnTrayExit(); }},
                    WayOut{"EndSession", [](CountdownScreen& s) { s.OnEndSession(); }}),
    [](const testing::TestParamInfo<WayOut>& info) { return info.param.pszName; });

// The arrival passed: a notification that did not reach the user is tried
// again and the arrival stays armed; one that did is shown once.
TEST(CountdownScreenTest, NotificationIsDisarmedOnlyWhenDelivered) {
    for (const bool bDelivers : {true, false}) {
        Fixture f(kArrival2027 - 1);
        f.view.m_bDelivers = bDelivers;
        for (int nTick = 0; nTick < 12; ++nTick) f.Tick();
        int nNotifications = 0;
        for (const std::string& strCall : f.view.Take())
            nNotifications += strCall.rfind("notify ", 0) == 0;
        EXPECT_EQ(nNotifications, bDelivers ? 1 : 2) << bDelivers;
        const int nArmed = ArrivalAlert::ArrivalKey(f.app.m_settings);
        EXPECT_EQ(ArrivalAlert::ReadState(f.app.m_strStatePath),
                  bDelivers ? ArrivalAlert::kNothingArmed : nArmed)
            << bDelivers;
    }
}

// With nowhere to show it, the notification is tried less and less often:
// an hour costs a dozen tries, not one every five seconds.
TEST(CountdownScreenTest, UndeliveredNotificationBacksOff) {
    Fixture f(kArrival2027 - 1);
    f.view.m_bDelivers = false;
    f.screen.OnPause();  // an hour of trivia picks is not what this is about
    int nNotifications = 0;
    for (int nTick = 0; nTick < 7200; ++nTick) {
        f.Tick();
        for (const std::string& strCall : f.view.Take())
            nNotifications += strCall.rfind("notify ", 0) == 0;
    }
    EXPECT_GE(nNotifications, 8);
    EXPECT_LE(nNotifications, 16);
}

// A time change is not a tick: the trivia does not count it.
TEST(CountdownScreenTest, TimeChangeLeavesTheTriviaCountAlone) {
    Fixture f(kArrival2027 - 1000);
    for (int nTick = 1; nTick < 30; ++nTick) f.screen.OnTimer();
    f.view.Take();
    f.screen.OnTimeChange();
    for (const std::string& strCall : f.view.Take())
        EXPECT_NE(strCall, Text(IDC_TRIVIA_ANSWER, "Here"));
}

// Quiet ticks in the tray still count for the trivia: back on screen, the
// next question is there.
TEST(CountdownScreenTest, TriviaKeepsCountingInTheTray) {
    Fixture f(kArrival2027 - 1000);
    f.screen.OnHideMe();
    for (int nTick = 1; nTick <= 60; ++nTick) {
        if (nTick % 2) f.clock.Advance(1);
        f.screen.OnTimer();
    }
    f.view.Take();
    f.screen.OnShowMainScreen();
    const Log log = f.view.Take();
    EXPECT_NE(std::find(log.begin(), log.end(), Text(IDC_TRIVIA_QUESTION, "Why?")), log.end());
}

// Hide Me hides only into an icon that is there; a failed add is tried again
// a few ticks later and when the taskbar starts.
TEST(CountdownScreenTest, FailedTrayAddIsTriedAgainAndHideWaitsForIt) {
    Fixture f(kArrival2027 - 1000, false);
    f.view.m_trayAnswer = TrayIconAnswer::Failed;
    f.screen.OnInitDialog();
    f.screen.OnHideMe();
    EXPECT_FALSE(f.screen.IsInTray());
    f.view.Take();
    int nAdds = 0;
    for (int nTick = 0; nTick < TrayPresence::kRetryTicks * (TrayPresence::kRetries + 2); ++nTick) {
        f.screen.OnTimer();
        for (const std::string& strCall : f.view.Take()) nAdds += strCall.rfind("tray add", 0) == 0;
    }
    EXPECT_EQ(nAdds, TrayPresence::kRetries);
    f.view.m_trayAnswer = TrayIconAnswer::Shown;
    f.screen.OnTrayCreated();
    f.view.Take();
    f.screen.OnHideMe();
    EXPECT_EQ(f.view.Take(), Log{"hide"});
    EXPECT_TRUE(f.screen.IsInTray());
}

}  // namespace
