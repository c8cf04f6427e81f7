// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class IMainView;
class NotesScreen;

// The nested dialogs of the main window (Add a Note runs inside Notes).
enum class NestedDialog { None, Setup, Notes, About };

// One nested dialog at a time, and the one way the program ends.
//
// A second Notes over the first would store the first one's pending edit by
// a position the second one shifted; a second Setup's OK would be overwritten
// by the first one's stale values. So while a dialog is open, a command for
// any dialog (a button, the tray or the panel's menu, a second start) brings
// the open one forward instead.
//
// Every way out (Close, Escape, the close box, Exit, the end of the session,
// a termination signal, a close request to the hidden window) ends here: the
// pending note edit is saved, the nested dialogs close innermost first, the
// tray icon goes, the timer stops and the main window's run ends.
class NestedDialogs {
public:
    explicit NestedDialogs(IMainView& view) : m_view(view) {}
    NestedDialogs(const NestedDialogs&) = delete;
    NestedDialogs& operator=(const NestedDialogs&) = delete;

    // While it lives, dialog is the open one; pNotes is the Notes dialog's screen.
    class Scope {
    public:
        Scope(NestedDialogs& dialogs, NestedDialog dialog, NotesScreen* pNotes = nullptr);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        // False when another dialog was open (it came forward) or the program ended.
        explicit operator bool() const { return m_bOpened; }

    private:
        NestedDialogs& m_dialogs;
        bool m_bOpened;
    };

    NestedDialog Open() const { return m_open; }
    bool IsEnded() const { return m_bEnded; }

    // The session manager asks for unsaved work: the Notes dialog's pending
    // edit is saved; the program runs on.
    void SavePendingEdit();
    // The end path; once only.
    void End();

private:
    IMainView& m_view;
    NestedDialog m_open = NestedDialog::None;
    NotesScreen* m_pNotes = nullptr;  // the Notes dialog's screen while it runs
    bool m_bEnded = false;
};
