// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CountdownScreen.h"

#include <algorithm>
#include <utility>

#include "app/CCountdownApp.h"
#include "app/DialogTemplates.h"
#include "app/MainView.h"
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
      m_view(view),
      m_messages(messages),
      m_pTrivia(std::make_unique<TriviaTable>()),
      m_pRandom(std::make_unique<StdTriviaRandom>()),
      m_alert(app.m_strStatePath, app.Profile(), StandardError()) {}

CountdownScreen::~CountdownScreen() = default;

void CountdownScreen::OnInitDialog() {
    if (m_bInitialised) return;
    m_bInitialised = true;

    // A missing notes.dat is an empty store; anything else worth knowing
    // (an unreadable file, more notes than the list holds) is said here.
    const NotesResult notes = m_app.LoadNotes();
    if (!notes.strMessage.empty()) m_messages.Warn(notes.strMessage);
    // Ended while the message was open: nobody is left to see the rest.
    if (m_bEnded) return;

    m_bHidePending = m_bStartHidden || m_app.m_settings.bHideStart;

    // The first countdown writes every field, the caption and the tip from one span.
    m_timeArrival = m_app.m_settings.Arrival();
    m_strArrival = m_refresh.ArrivalText(m_timeArrival);
    m_refresh.ArrivalTextDue(m_strArrival, true);
    UpdateArrivalField();
    const CTimeSpan span = m_timeArrival - CTime::GetCurrentTime(m_clock);
    for (const FieldWrite& write : m_refresh.PlanInitial(span))
        SetDlgItemInt(ControlOf(write.field), write.nValue);

    m_view.StartTimer(kTickPeriodMs);
    m_view.SetCaption(FormatCaption(span));
    m_view.AddTrayIcon("This is a test string");
    m_view.SetTrayTip(FormatTrayTip(span));

    LoadTrivia();
    if (m_bEnded) return;
    ShowTrivia(TriviaMode::Pick);
    CheckArrivalAlert();
}

void CountdownScreen::LoadTrivia() {
    const TriviaLoadResult result = m_app.LoadTrivia(m_pTrivia);
    for (const std::string& strMessage : result.messages) {
        if (m_bEnded) break;
        m_messages.Warn(strMessage);
    }
    m_pRotation = std::make_unique<TriviaRotation>(*m_pTrivia, static_cast<ITriviaView&>(*this),
                                                   *m_pRandom, m_clock, m_app.m_settings.nTrivTime);
    m_pRotation->SetTriviaFile(m_app.m_strTrivPath);
    m_pRotation->RestartCounter();
}

void CountdownScreen::ShowTrivia(TriviaMode mode) {
    m_pRotation->ShowTrivia(mode);
}

void CountdownScreen::SetQuestionText(const std::string& strText) {
    SetDlgItemText(IDC_TRIVIA_QUESTION, strText);
}

void CountdownScreen::SetAnswerText(const std::string& strText) {
    SetDlgItemText(IDC_TRIVIA_ANSWER, strText);
}

CountdownScreen::PendingText& CountdownScreen::PendingFor(int nId) {
    auto it = std::lower_bound(m_pendingTexts.begin(), m_pendingTexts.end(), nId,
                               [](const PendingText& pending, int n) { return pending.nId < n; });
    if (it == m_pendingTexts.end() || it->nId != nId)
        it = m_pendingTexts.insert(it, {nId, {}, {}, false});
    return *it;
}

void CountdownScreen::SetDlgItemInt(int nId, std::int64_t nValue) {
    if (m_bInTray) {
        PendingText& pending = PendingFor(nId);
        pending.nValue = nValue;
        pending.bWaiting = true;
        return;
    }
    m_view.SetDlgItemText(nId, std::to_string(nValue));  // short enough to stay on the stack
}

void CountdownScreen::SetDlgItemText(int nId, const std::string& strText) {
    // Laying out text nobody can see is most of what a tick costs: while the
    // window is in the tray the last text of each field waits for the show.
    if (m_bInTray) {
        PendingText& pending = PendingFor(nId);
        pending.strText = strText;
        pending.nValue.reset();
        pending.bWaiting = true;
        return;
    }
    m_view.SetDlgItemText(nId, strText);
}

void CountdownScreen::UpdateArrivalField() {
    SetDlgItemText(IDC_ARRIVAL, m_strArrival);
}

void CountdownScreen::SetCaptionAndTip(const CTimeSpan& span) {
    // A hidden window's caption is shown nowhere, and setting it is a round
    // trip to the window system each minute: it waits for the show, like the
    // fields. The tray tip is what the user sees meanwhile.
    if (m_bInTray)
        m_pendingCaption = span;
    else
        m_view.SetCaption(FormatCaption(span));
    m_view.SetTrayTip(FormatTrayTip(span));
}

CTimeSpan CountdownScreen::CurrentSpan() {
    m_timeArrival = m_app.m_settings.Arrival();
    m_timeRefreshed = CTime::GetCurrentTime(m_clock);
    return m_timeArrival - m_timeRefreshed;
}

// In the tray nothing shows a second: the tip changes when its minute turns,
// the alert comes at the arrival, and until the earlier of the two a tick has
// nothing to compute. Those ticks leave the countdown alone (mktime and the
// refresh are most of a tick's cost, and a waking program pays for every
// cache line it touches). A clock set back before the last computation, or
// forward past the moment, makes the next tick a full one; so does showing
// the window or changing the arrival.
void CountdownScreen::PlanQuietTicks(const CTimeSpan& span) {
    const std::int64_t nLeft = span.GetTotalSeconds();
    const std::int64_t nQuiet = nLeft > 0 ? std::min(nLeft % 60 + 1, nLeft) : 0;
    m_timeQuietUntil = CTime(m_timeRefreshed.GetTime() + nQuiet);
}

bool CountdownScreen::IsQuietTick() {
    if (!m_bInTray) return false;
    const std::int64_t nNow = CTime::GetCurrentTime(m_clock).GetTime();
    return nNow >= m_timeRefreshed.GetTime() && nNow < m_timeQuietUntil.GetTime();
}

void CountdownScreen::RefreshDisplay(RefreshMode mode) {
    const CTimeSpan span = CurrentSpan();
    const RefreshPlan plan = m_refresh.Plan(mode, span);
    for (const FieldWrite& write : plan) SetDlgItemInt(ControlOf(write.field), write.nValue);
    m_strArrival = m_refresh.ArrivalText(m_timeArrival);
    if (m_refresh.ArrivalTextDue(m_strArrival, mode == RefreshMode::All)) UpdateArrivalField();
    if (plan.bCaption) SetCaptionAndTip(span);
    PlanQuietTicks(span);
}

void CountdownScreen::OnTimeChange() {
    m_timeQuietUntil = CTime();
    OnTimer();
}

void CountdownScreen::OnTimer() {
    if (m_bHidePending) {
        HideToTray();
        m_bHidePending = false;
    }
    // The trivia counts every tick, quiet or not.
    const bool bQuiet = IsQuietTick();
    if (!bQuiet) RefreshDisplay(RefreshMode::ChangedOnly);
    if (m_pRotation) m_pRotation->Tick();
    if (!bQuiet) CheckArrivalAlert();
}

// One notification per arrival: when the countdown reaches zero, or when a
// start or a wake from sleep finds the arrival passed since the last look.
void CountdownScreen::CheckArrivalAlert() {
    // m_timeArrival is the moment the refresh just built from the same fields.
    if (m_alert.CheckOnTick(m_app.m_settings, m_timeArrival, CTime::GetCurrentTime(m_clock)))
        m_view.Notify("You have arrived", m_strArrival);
}

void CountdownScreen::HideToTray() {
    // Without a tray there would be no way back to a hidden window: minimise instead.
    if (m_view.IsTrayAvailable()) {
        m_view.HideWindow();
        m_bInTray = true;
    } else {
        m_view.MinimiseWindow();
    }
}

void CountdownScreen::OnShown() {
    if (!m_bInTray) return;
    // Quiet ticks left the fields behind the clock: bring them up to date
    // before they are written.
    RefreshDisplay(RefreshMode::ChangedOnly);
    m_bInTray = false;
    for (PendingText& pending : m_pendingTexts) {
        if (!pending.bWaiting) continue;
        pending.bWaiting = false;
        m_view.SetDlgItemText(pending.nId,
                              pending.nValue ? std::to_string(*pending.nValue) : pending.strText);
    }
    if (m_pendingCaption) m_view.SetCaption(FormatCaption(*std::exchange(m_pendingCaption, {})));
}

void CountdownScreen::OnHideMe() {
    HideToTray();
}

void CountdownScreen::OnShowMainScreen() {
    m_view.ShowWindow();
}

void CountdownScreen::OnTrayMenu() {
    m_view.PopUpTrayMenu();
}

void CountdownScreen::OnTrayLost() {
    if (m_bInTray) HideToTray();
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

void CountdownScreen::OnTrayExit() {
    EndWindow();
}

// Every way of ending removes the tray icon and stops the timer.
void CountdownScreen::OnWindowEnded() {
    if (m_bEnded) return;
    m_bEnded = true;
    m_view.RemoveTrayIcon();
    m_view.StopTimer();
}

void CountdownScreen::EndWindow() {
    OnWindowEnded();
    m_view.EndMainWindow();
}

void CountdownScreen::OnCommitData() {
    if (m_pNotes) m_pNotes->SavePendingEdit();
}

void CountdownScreen::OnEndSession() {
    OnCommitData();
    // Nested dialogs (Notes over Add a Note, a message box) end innermost
    // first; none of them saves or asks anything more.
    m_view.CloseNestedDialogs();
    EndWindow();
}

void CountdownScreen::OnAbout() {
    m_view.RunAboutDialog();
}

void CountdownScreen::OnSetup() {
    SetupForm form(m_app.m_settings);
    if (!m_view.RunSetupDialog(form)) return;

    m_app.m_settings = form.m_settings;
    if (!WriteProfileSettings(m_app.Profile(), m_app.m_settings))
        m_messages.Warn(
            "The settings could not be saved to the profile. They apply until Brisaloo ends.");
    m_timeArrival = m_app.m_settings.Arrival();
    RefreshDisplay(RefreshMode::All);
    if (m_pRotation) m_pRotation->SetInterval(m_app.m_settings.nTrivTime);
}

void CountdownScreen::OnCopyToClipboard() {
    // The click's own span; the refresh's state (and its quiet ticks) stay as they are.
    const CTimeSpan span = m_app.m_settings.Arrival() - CTime::GetCurrentTime(m_clock);
    m_view.SetClipboardText(FormatClipboard(span));
}

void CountdownScreen::OnNotes() {
    NotesScreen notes(m_app, m_messages);
    m_pNotes = &notes;
    m_view.RunNotesDialog(notes);
    m_pNotes = nullptr;
}

void CountdownScreen::OnPause() {
    if (!m_pRotation) return;  // nothing to pause before the trivia loads
    const bool bPaused = m_pRotation->TogglePause();
    SetDlgItemText(IDC_PAUSE_TEXT, bPaused ? "***PAUSED***" : "");
}
