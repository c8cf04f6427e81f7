// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

// The five dialogs as data: every control's id, kind, text and place in
// dialog units, in template order (which is also the tab order). Each shell
// builds its windows from these tables, so both draw the same dialogs.

// Control ids. Ids repeat across dialogs (1018 is a trivia field, the trivia
// interval, the note body and the note subject), as in the original templates.
enum : int {
    IDOK = 1,
    IDCANCEL = 2,

    // Main window (IDD_MAIN)
    IDC_SECONDS = 1000,
    IDC_DAYS = 1003,
    IDC_HOURS = 1004,
    IDC_MINUTES = 1005,
    IDC_TOTAL_MINUTES = 1006,
    IDC_TOTAL_SECONDS = 1007,
    IDC_TOTAL_HOURS = 1008,
    IDC_SETUP = 1009,
    IDC_ARRIVAL = 1016,
    IDC_HIDE = 1017,
    IDC_TRIVIA_QUESTION = 1018,
    IDC_ABOUT = 1020,
    IDC_TRIVIA_ANSWER = 1021,
    IDC_COPY = 1024,
    IDC_NOTES = 1025,
    IDC_PAUSE_TEXT = 1031,
    IDC_PAUSE = 1032,

    // Setup (IDD_SETUP)
    IDC_SETUP_MONTH = 1010,
    IDC_SETUP_YEAR = 1011,
    IDC_SETUP_HOUR = 1012,
    IDC_SETUP_MINUTE = 1013,
    IDC_SETUP_DAY = 1015,
    IDC_SETUP_TRIVTIME = 1018,
    IDC_SETUP_HIDESTART = 1019,

    // Notes (IDD_NOTES)
    IDC_NOTE_BODY = 1018,
    IDC_NOTE_LIST = 1026,
    IDC_NOTE_ADD = 1028,
    IDC_NOTE_DELETE = 1029,

    // Add a Note (IDD_ADDNOTE)
    IDC_ADDNOTE_SUBJECT = 1018,
    IDC_ADDNOTE_BODY = 1027,

    // About (IDD_ABOUTBOX): the icon static
    IDR_MAINFRAME = 128,
};

// Dialog template ids.
enum : int {
    IDD_ABOUTBOX = 100,
    IDD_MAIN = 102,
    IDD_SETUP = 129,
    IDD_NOTES = 131,
    IDD_ADDNOTE = 132,
};

// The system menu's About item.
inline constexpr int IDM_ABOUTBOX = 0x0010;
inline constexpr const char* kAboutMenuText = "&About Brisaloo...";

// One control of a dialog template.
struct ControlTemplate {
    enum Kind {
        PushButton,
        DefaultButton,
        Label,
        GroupBox,
        Field,           // read-only, no frame
        BorderedField,   // read-only, framed
        MultiLineField,  // read-only, framed, several lines that wrap
        BannerField,     // read-only, no frame, transparent, takes no focus
        CheckBox,
        EditField,       // one editable line
        ListBox,         // framed, one selection, never sorted by the control
        BodyEdit,        // editable lines, framed, both scroll bars, no wrap
        WrappedBodyEdit, // editable lines, framed, vertical scroll bar, lines wrap
        Icon,            // the program's icon
    };
    int nId;                  // -1 for labels and frames
    const char* pszName;      // "IDC_..." (the widgets' object names), or nullptr
    Kind kind;
    const char* pszText;
    int x, y, cx, cy;
    const char* pszAccessibleName;  // what a screen reader says, or nullptr
    int nTextLimit = 0;             // characters an edit takes; 0: no limit
};

// One dialog: its template id and name, caption, size in dialog units and
// controls. Control positions already include the dialog's margins.
struct DialogTemplate {
    int nIdd;
    const char* pszName;  // "IDD_..."
    const char* pszCaption;
    int cx, cy;
    std::span<const ControlTemplate> controls;

    // The control with this id, or nullptr.
    const ControlTemplate* Find(int nId) const;
};

const DialogTemplate& MainDialogTemplate();
const DialogTemplate& SetupDialogTemplate();
const DialogTemplate& NotesDialogTemplate();
const DialogTemplate& AddNoteDialogTemplate();
const DialogTemplate& AboutDialogTemplate();

// The five, for tests and layout checks that walk them all.
std::span<const DialogTemplate* const> AllDialogTemplates();

// "Brisaloo Version 1.5" for a 1.5.0 build: major and minor of the version.
const std::string& AboutVersionText();
