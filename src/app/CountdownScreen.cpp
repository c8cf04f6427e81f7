// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CountdownScreen.h"

#include <algorithm>
#include <utility>

#include "app/CCountdownApp.h"
#include "app/DialogTemplates.h"
#include "app/NotesScreen.h"
#include "app/ProfileSettings.h"
#include "app/SetupForm.h"
#include "app/UserMessages.h"
#include "countdown/Clock.h"
#include "countdown/CountdownTexts.h"
#include "trivia/TriviaLoader.h"

namespace {

// The control that shows each countdown field, in CountdownField order.
constexpr int kFieldControls[kCountdownFieldCount] = {
    IDC_DAYS,        IDC_HOURS,         IDC_MINUTES,      IDC_SECONDS,
    IDC_TOTAL_HOURS, IDC_TOTAL_MINUTES, IDC_TOTAL_SECONDS};

int ControlOf(CountdownField field) {
    return kFieldControls[static_cast<std::size_t>(field)];
}

}  // namespace

CountdownScreen::CountdownScreen(CCountdownApp& app, const IClock& clock, IMainView& view,
                                 IUserMessages& messages)
    : m_app(app),
      m_clock(clock),
      m_writes(view),
      m_messages(messages),
      m_dialogs(m_writes),
      m_pTrivia(std::make_unique<TriviaTable>()),
      m_pRandom(std::make_unique<StdTriviaRandom>()),
      m_alert(app.m_strStatePath, app.Profile(), StandardError()) {}

CountdownScreen::~CountdownScreen() = default;

void CountdownScreen::OnInitDialog() {
    if (m_bInitialised) return;
    m_bInitialised = true;
    // Decided before any message can open: a box open at start-up neither
    // cancels a hidden start nor shows the window.
    const bool bHidden = m_bStartHidden || m_app.m_settings.bHideStart;
    m_bHidePending = bHidden;

    // An unreadable profile, and anything worth knowing about notes.dat (an
    // unreadable file, more notes than the list holds), are said here; a
    // missing notes.dat is an empty store.
    if (!m_app.ProfileWarning().empty()) m_messages.Warn(m_app.ProfileWarning());
    const NotesResult notes = m_app.LoadNotes();
    if (!notes.strMessage.empty() && !IsEnded()) m_messages.Warn(notes.strMessage);
    // Ended while the message was open: nobody is left to see the rest.
    if (IsEnded()) return;

    // The first countdown writes every field, the caption and the tip from one span.
    m_timeArrival = m_app.m_settings.Arrival();
    m_strArrival = m_refresh.ArrivalText(m_timeArrival);
    m_refresh.ArrivalTextDue(m_strArrival, true);
    UpdateArrivalField();
    const CTimeSpan span = m_timeArrival - CTime::GetCurrentTime(m_clock);
    for (const FieldWrite& write : m_refresh.PlanInitial(span))
        m_writes.SetDlgItemInt(ControlOf(write.field), write.nValue);

    m_writes.StartTimer(kTickPeriodMs);
    m_writes.SetCaption(FormatCaption(span));
    m_strTip = "This is a test string";
    AddTrayIcon();
    m_strTip = FormatTrayTip(span);
    m_writes.SetTrayTip(m_strTip);

    LoadTrivia();
    if (IsEnded()) return;
    m_pRotation->ShowTrivia(TriviaMode::Pick);
    CheckArrivalAlert();
    if (!bHidden)
        m_writes.ShowWindow();
    else if (m_bHidePending)
        CarryOutPendingHide();
}

void CountdownScreen::LoadTrivia() {
    const TriviaLoadResult result = m_app.LoadTrivia(m_pTrivia);
    for (const std::string& strMessage : result.messages) {
        if (IsEnded()) break;
        m_messages.Warn(strMessage);
    }
    m_pRotation = std::make_unique<TriviaRotation>(*m_pTrivia, static_cast<ITriviaView&>(*this),
                                                   *m_pRandom, m_clock, m_app.m_settings.nTrivTime);
    m_pRotation->SetTriviaFile(m_app.m_strTrivPath);
    m_pRotation->RestartCounter();
}

void CountdownScreen::SetQuestionText(const std::string& strText) {
    m_writes.SetDlgItemText(IDC_TRIVIA_QUESTION, strText);
}

void CountdownScreen::SetAnswerText(const std::string& strText) {
    m_writes.SetDlgItemText(IDC_TRIVIA_ANSWER, strText);
}

void CountdownScreen::UpdateArrivalField() {
    m_writes.SetDlgItemText(IDC_ARRIVAL, m_strArrival);
}

void CountdownScreen::SetCaptionAndTip(const CTimeSpan& span) {
    m_writes.SetCaptionOf(span);
    m_strTip = FormatTrayTip(span);
    m_writes.SetTrayTip(m_strTip);
}

CTimeSpan CountdownScreen::CurrentSpan() {
    m_timeArrival = m_app.m_settings.Arrival();
    const CTime now = CTime::GetCurrentTime(m_clock);
    const CTimeSpan span = m_timeArrival - now;
    m_quiet.Plan(now, span);
    return span;
}

void CountdownScreen::RefreshDisplay(RefreshMode mode) {
    const CTimeSpan span = CurrentSpan();
    const RefreshPlan plan = m_refresh.Plan(mode, span);
    for (const FieldWrite& write : plan)
        m_writes.SetDlgItemInt(ControlOf(write.field), write.nValue);
    m_strArrival = m_refresh.ArrivalText(m_timeArrival);
    if (m_refresh.ArrivalTextDue(m_strArrival, mode == RefreshMode::All)) UpdateArrivalField();
    if (plan.bCaption) SetCaptionAndTip(span);
}

void CountdownScreen::OnTimeChange() {
    if (!m_bInitialised || IsEnded()) return;
    RefreshDisplay(RefreshMode::ChangedOnly);
    CheckArrivalAlert();
}

void CountdownScreen::OnTimer() {
    if (m_tray.Tick()) AddTrayIcon();
    if (m_bHidePending && !m_tray.IsPending()) CarryOutPendingHide();
    // In the tray a tick with nothing to show leaves the countdown alone; the
    // trivia counts every tick, quiet or not.
    const bool bQuiet = IsInTray() && m_quiet.IsQuiet(CTime::GetCurrentTime(m_clock));
    if (!bQuiet) RefreshDisplay(RefreshMode::ChangedOnly);
    if (m_pRotation) m_pRotation->Tick();
    if (!bQuiet) CheckArrivalAlert();
}

// One notification per arrival: when the countdown reaches zero, or when a
// start or a wake from sleep finds the arrival passed since the last look.
// It counts as shown only once it reached the user.
void CountdownScreen::CheckArrivalAlert() {
    // m_timeArrival is the moment the refresh just built from the same fields.
    if (!m_alert.IsDue(m_app.m_settings, m_timeArrival, CTime::GetCurrentTime(m_clock))) return;
    if (m_nAlertRetryIn > 0 && --m_nAlertRetryIn > 0) return;
    if (m_writes.Notify("You have arrived", m_strArrival)) {
        m_alert.Delivered();
        m_nAlertRetryWait = kAlertRetryTicks;
    } else {
        m_nAlertRetryIn = m_nAlertRetryWait;
        m_nAlertRetryWait = std::min(2 * m_nAlertRetryWait, kAlertRetryMostTicks);
    }
}

void CountdownScreen::AddTrayIcon() {
    m_tray.OnAnswer(m_writes.AddTrayIcon(m_strTip));
    if (m_tray.IsShown()) OnTrayIconShown();
}

// Without the icon in a tray there would be no way back to a hidden window:
// minimise instead.
void CountdownScreen::HideToTray() {
    if (!m_tray.IsShown()) {
        m_writes.MinimiseWindow();
        return;
    }
    m_writes.HideWindow();
    m_writes.Defer();
}

// A hidden start: the window was never shown, so it only waits in the tray;
// while the desktop has not said whether the icon is there, it waits unseen.
void CountdownScreen::CarryOutPendingHide() {
    if (!m_bInitialised || m_tray.IsPending()) return;
    m_bHidePending = false;
    if (m_tray.IsShown())
        m_writes.Defer();
    else
        m_writes.MinimiseWindow();
}

void CountdownScreen::OnShown() {
    m_bHidePending = false;
    if (!IsInTray()) return;
    // Quiet ticks left the fields behind the clock: bring them up to date
    // before they are written.
    RefreshDisplay(RefreshMode::ChangedOnly);
    m_writes.Flush();
}

void CountdownScreen::OnHideMe() {
    HideToTray();
}

void CountdownScreen::OnShowMainScreen() {
    if (IsEnded()) return;
    m_writes.ShowWindow();
    if (m_dialogs.Open() != NestedDialog::None) m_writes.BringDialogForward();
}

void CountdownScreen::OnTrayMenu() {
    m_writes.PopUpTrayMenu();
}

void CountdownScreen::OnTrayIconShown() {
    m_tray.OnShown();
    m_nAlertRetryIn = 0;  // a notification that found no icon may go now
    if (m_bHidePending) CarryOutPendingHide();
}

void CountdownScreen::OnTrayLost() {
    m_tray.OnLost();
    if (m_bHidePending) CarryOutPendingHide();
    if (IsInTray()) m_writes.MinimiseWindow();
}

void CountdownScreen::OnTrayCreated() {
    if (IsEnded()) return;
    m_tray.RestartTries();
    AddTrayIcon();
}

// The tray menu's items, whether from the window's own pop-up or from the
// menu a panel drew.
void CountdownScreen::OnTrayCommand(TrayCommand command) {
    switch (command) {
        case TrayCommand::ShowMainScreen:
            OnShowMainScreen();
            break;
        case TrayCommand::Notes:
            OnNotes();
            break;
        case TrayCommand::Setup:
            OnSetup();
            break;
        case TrayCommand::Exit:
            OnTrayExit();
            break;
    }
}

void CountdownScreen::OnAbout() {
    const NestedDialogs::Scope about(m_dialogs, NestedDialog::About);
    if (about) m_writes.RunAboutDialog();
}

void CountdownScreen::OnSetup() {
    SetupForm form(m_app.m_settings);
    {
        const NestedDialogs::Scope setup(m_dialogs, NestedDialog::Setup);
        if (!setup || !m_writes.RunSetupDialog(form) || IsEnded()) return;
    }
    m_app.m_settings = form.m_settings;
    if (!WriteProfileSettings(m_app.Profile(), m_app.m_settings))
        m_messages.Warn(ProfileNotSavedMessage(m_app.Profile()));
    m_timeArrival = m_app.m_settings.Arrival();
    RefreshDisplay(RefreshMode::All);
    if (m_pRotation) m_pRotation->SetInterval(m_app.m_settings.nTrivTime);
}

void CountdownScreen::OnCopyToClipboard() {
    // The click's own span; the refresh's state (and its quiet ticks) stay as they are.
    const CTimeSpan span = m_app.m_settings.Arrival() - CTime::GetCurrentTime(m_clock);
    m_writes.SetClipboardText(FormatClipboard(span));
}

void CountdownScreen::OnNotes() {
    NotesScreen notes(m_app, m_messages);
    const NestedDialogs::Scope open(m_dialogs, NestedDialog::Notes, &notes);
    if (open) m_writes.RunNotesDialog(notes);
}

void CountdownScreen::OnPause() {
    if (!m_pRotation) return;  // nothing to pause before the trivia loads
    const bool bPaused = m_pRotation->TogglePause();
    m_writes.SetDlgItemText(IDC_PAUSE_TEXT, bPaused ? "***PAUSED***" : "");
}
