// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/MainView.h"
#include "countdown/CTimeSpan.h"

// The main window as the screen writes to it: while the window is hidden in
// the tray, the writes of its fields and caption wait, and only the last text
// of each reaches the window when it shows again. Laying out text nobody can
// see is most of what a tick would cost. Everything else goes straight
// through.
class DeferredMainView final : public IMainView {
public:
    explicit DeferredMainView(IMainView& view) : m_view(view) {}

    // From now on writes wait; they stay waiting until Flush.
    void Defer() { m_bDeferring = true; }
    bool IsDeferring() const { return m_bDeferring; }
    // The waiting writes reach the window, each field's last one only.
    void Flush();

    // A number is kept as one and formatted only if the window shows again.
    void SetDlgItemInt(int nId, std::int64_t nValue);
    // The caption of the countdown span, formatted only when it is written.
    void SetCaptionOf(const CTimeSpan& span);

    void SetDlgItemText(int nId, const std::string& strText) override;
    void SetCaption(const std::string& strCaption) override;
    void StartTimer(int nPeriodMs) override { m_view.StartTimer(nPeriodMs); }
    void StopTimer() override { m_view.StopTimer(); }
    TrayIconAnswer AddTrayIcon(const std::string& strTip) override {
        return m_view.AddTrayIcon(strTip);
    }
    void SetTrayTip(const std::string& strTip) override { m_view.SetTrayTip(strTip); }
    void RemoveTrayIcon() override { m_view.RemoveTrayIcon(); }
    bool Notify(const std::string& strTitle, const std::string& strText) override {
        return m_view.Notify(strTitle, strText);
    }
    void PopUpTrayMenu() override { m_view.PopUpTrayMenu(); }
    void HideWindow() override { m_view.HideWindow(); }
    void MinimiseWindow() override { m_view.MinimiseWindow(); }
    void ShowWindow() override { m_view.ShowWindow(); }
    void SetClipboardText(const std::string& strText) override { m_view.SetClipboardText(strText); }
    bool RunSetupDialog(SetupForm& form) override { return m_view.RunSetupDialog(form); }
    void RunNotesDialog(NotesScreen& notes) override { m_view.RunNotesDialog(notes); }
    void RunAboutDialog() override { m_view.RunAboutDialog(); }
    void BringDialogForward() override { m_view.BringDialogForward(); }
    void CloseNestedDialogs() override { m_view.CloseNestedDialogs(); }
    void EndMainWindow() override { m_view.EndMainWindow(); }

private:
    struct PendingText {
        int nId = 0;
        std::string strText;
        std::optional<std::int64_t> nValue;
        bool bWaiting = false;
    };
    PendingText& PendingFor(int nId);

    IMainView& m_view;
    bool m_bDeferring = false;
    // By control id; entries stay, so a later hide allocates nothing.
    std::vector<PendingText> m_pendingTexts;
    std::optional<CTimeSpan> m_pendingCaptionSpan;
    std::optional<std::string> m_pendingCaption;
};
