// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DialogTemplates.h"

#include <array>

#ifndef BRISALOO_VERSION
#error "BRISALOO_VERSION comes from the build"
#endif

namespace {

using C = ControlTemplate;

const ControlTemplate kMainControls[] = {
    {IDOK, "IDOK", C::PushButton, "Close", 280, 25, 40, 15, nullptr},
    {IDC_SECONDS, "IDC_SECONDS", C::Field, "", 107, 60, 20, 12, "Seconds"},
    {IDC_DAYS, "IDC_DAYS", C::Field, "", 17, 60, 30, 12, "Days"},
    {IDC_HOURS, "IDC_HOURS", C::Field, "", 51, 60, 21, 12, "Hours"},
    {IDC_MINUTES, "IDC_MINUTES", C::Field, "", 77, 60, 20, 12, "Minutes"},
    {-1, nullptr, C::Label, "Hours", 51, 75, 20, 8, nullptr},
    {-1, nullptr, C::Label, "Days", 17, 75, 17, 8, nullptr},
    {-1, nullptr, C::Label, "Minutes", 77, 75, 30, 8, nullptr},
    {-1, nullptr, C::Label, "Seconds", 107, 75, 30, 8, nullptr},
    {IDC_TOTAL_MINUTES, "IDC_TOTAL_MINUTES", C::BorderedField, "", 215, 66, 46, 14,
     "Total Minutes"},
    {IDC_TOTAL_SECONDS, "IDC_TOTAL_SECONDS", C::BorderedField, "", 267, 66, 62, 14,
     "Total Seconds"},
    {-1, nullptr, C::Label, "Total Seconds", 269, 58, 47, 8, nullptr},
    {-1, nullptr, C::Label, "Total Minutes", 217, 58, 44, 8, nullptr},
    {IDC_TOTAL_HOURS, "IDC_TOTAL_HOURS", C::BorderedField, "", 165, 66, 43, 14, "Total Hours"},
    {-1, nullptr, C::Label, "Total Hours", 165, 58, 38, 8, nullptr},
    {IDC_SETUP, "IDC_SETUP", C::PushButton, "Setup", 5, 20, 36, 15, nullptr},
    {-1, nullptr, C::Label, "Date and Time of Arrival:", 5, 5, 79, 8, nullptr},
    {IDC_ARRIVAL, "IDC_ARRIVAL", C::BannerField, "", 95, 5, 160, 12, "Date and Time of Arrival:"},
    {IDC_HIDE, "IDC_HIDE", C::DefaultButton, "Hide Me", 265, 3, 65, 17, nullptr},
    {-1, nullptr, C::GroupBox, "Potentially Depressing Statistics......", 150, 45, 190, 45,
     nullptr},
    {-1, nullptr, C::GroupBox, "How much longer?!?!?!", 5, 45, 135, 45, nullptr},
    {IDC_ABOUT, "IDC_ABOUT", C::PushButton, "About Brisaloo", 45, 20, 65, 15, nullptr},
    {IDC_TRIVIA_QUESTION, "IDC_TRIVIA_QUESTION", C::MultiLineField, "", 15, 105, 320, 20,
     "Trivia question"},
    {IDC_TRIVIA_ANSWER, "IDC_TRIVIA_ANSWER", C::MultiLineField, "", 15, 125, 320, 14,
     "Trivia answer"},
    {-1, nullptr, C::GroupBox, "Trivia Square", 5, 95, 335, 65, nullptr},
    // Wider than in the first layout: the text needs room for the button's margins.
    {IDC_COPY, "IDC_COPY", C::PushButton, "Copy to Clipboard", 115, 20, 80, 15, nullptr},
    {IDC_NOTES, "IDC_NOTES", C::PushButton, "Notes", 200, 20, 45, 15, nullptr},
    {IDC_PAUSE_TEXT, "IDC_PAUSE_TEXT", C::BannerField, "", 45, 140, 60, 14, "Paused"},
    {IDC_PAUSE, "IDC_PAUSE", C::PushButton, "Pause", 15, 140, 30, 14, nullptr},
};

// Setup keeps a margin of 7 units on every side; its note on military time has
// a line of its own below the buttons, and the rows under it moved down.
constexpr int kM = 7;
const ControlTemplate kSetupControls[] = {
    {IDC_SETUP_MONTH, "IDC_SETUP_MONTH", C::EditField, "", kM + 0, kM + 10, 20, 14, "Month"},
    {IDC_SETUP_DAY, "IDC_SETUP_DAY", C::EditField, "", kM + 25, kM + 10, 20, 14, "Day"},
    {IDC_SETUP_YEAR, "IDC_SETUP_YEAR", C::EditField, "", kM + 50, kM + 10, 40, 14, "Year"},
    {IDC_SETUP_HOUR, "IDC_SETUP_HOUR", C::EditField, "", kM + 95, kM + 10, 20, 14, "Hour:"},
    {IDC_SETUP_MINUTE, "IDC_SETUP_MINUTE", C::EditField, "", kM + 121, kM + 10, 20, 14, "Minute"},
    {IDC_SETUP_TRIVTIME, "IDC_SETUP_TRIVTIME", C::EditField, "", kM + 80, kM + 46, 40, 14,
     "Update Trivia every:"},
    {IDC_SETUP_HIDESTART, "IDC_SETUP_HIDESTART", C::CheckBox, "Hide on startup?", kM + 0, kM + 66,
     68, 10, "Hide on startup?"},
    {IDOK, "IDOK", C::DefaultButton, "OK", kM + 190, kM + 0, 50, 14, nullptr},
    {IDCANCEL, "IDCANCEL", C::PushButton, "Cancel", kM + 190, kM + 15, 50, 14, nullptr},
    {-1, nullptr, C::Label, "Month", kM + 0, kM + 0, 21, 8, nullptr},
    {-1, nullptr, C::Label, "Year", kM + 50, kM + 0, 16, 8, nullptr},
    {-1, nullptr, C::Label, "Hour:", kM + 95, kM + 0, 18, 8, nullptr},
    {-1, nullptr, C::Label, "Minute", kM + 121, kM + 0, 22, 8, nullptr},
    {-1, nullptr, C::Label, "Day", kM + 25, kM + 0, 14, 8, nullptr},
    {-1, nullptr, C::Label, "Note: Time must be in military time (ex: 23:15 is 11:15pm)", kM + 0,
     kM + 33, 240, 8, nullptr},
    {-1, nullptr, C::Label, "Update Trivia every:", kM + 0, kM + 49, 75, 8, nullptr},
    {-1, nullptr, C::Label, "Seconds", kM + 125, kM + 49, 35, 8, nullptr},
};

const ControlTemplate kNotesControls[] = {
    {IDOK, "IDOK", C::DefaultButton, "Close Notes", 325, 5, 50, 14, nullptr},
    {IDC_NOTE_LIST, "IDC_NOTE_LIST", C::ListBox, "", 5, 5, 305, 45, "Notes"},
    {IDC_NOTE_BODY, "IDC_NOTE_BODY", C::BodyEdit, "", 5, 55, 375, 160, "Note body"},
    {IDC_NOTE_ADD, "IDC_NOTE_ADD", C::PushButton, "Add a Note", 325, 20, 50, 14, nullptr},
    {IDC_NOTE_DELETE, "IDC_NOTE_DELETE", C::PushButton, "Delete Note", 325, 35, 50, 14, nullptr},
};

// The subject takes at most 75 characters.
const ControlTemplate kAddNoteControls[] = {
    {IDOK, "IDOK", C::DefaultButton, "Add", 290, 5, 50, 14, nullptr},
    {IDCANCEL, "IDCANCEL", C::PushButton, "Cancel", 290, 20, 50, 14, nullptr},
    {IDC_ADDNOTE_SUBJECT, "IDC_ADDNOTE_SUBJECT", C::EditField, "", 15, 15, 265, 14, "Subject:",
     75},
    {-1, nullptr, C::Label, "Subject:", 15, 5, 33, 8, nullptr},
    {-1, nullptr, C::Label, "Body:", 15, 35, 23, 8, nullptr},
    {IDC_ADDNOTE_BODY, "IDC_ADDNOTE_BODY", C::WrappedBodyEdit, "", 15, 45, 265, 90, "Body:"},
};

std::array<ControlTemplate, 3> MakeAboutControls() {
    return {{
        {IDR_MAINFRAME, "IDR_MAINFRAME", C::Icon, "", 5, 5, 18, 20, nullptr},
        {-1, "IDC_ABOUT_TEXT", C::Label, AboutVersionText().c_str(), 35, 5, 119, 8, nullptr},
        {IDOK, "IDOK", C::DefaultButton, "OK", 178, 7, 32, 14, nullptr},
    }};
}

}  // namespace

const ControlTemplate* DialogTemplate::Find(int nId) const {
    for (const ControlTemplate& control : controls)
        if (control.nId == nId) return &control;
    return nullptr;
}

const DialogTemplate& MainDialogTemplate() {
    static const DialogTemplate dialog{IDD_MAIN, "IDD_MAIN", "Brisaloo ", 342, 167, kMainControls};
    return dialog;
}

const DialogTemplate& SetupDialogTemplate() {
    static const DialogTemplate dialog{IDD_SETUP, "IDD_SETUP", "Brisaloo Setup", 240 + 2 * kM,
                                       76 + 2 * kM, kSetupControls};
    return dialog;
}

const DialogTemplate& NotesDialogTemplate() {
    static const DialogTemplate dialog{IDD_NOTES, "IDD_NOTES", "Brisaloo: Notes", 386, 225,
                                       kNotesControls};
    return dialog;
}

const DialogTemplate& AddNoteDialogTemplate() {
    static const DialogTemplate dialog{IDD_ADDNOTE, "IDD_ADDNOTE", "Brisaloo: Add a Note", 347, 141,
                                       kAddNoteControls};
    return dialog;
}

const DialogTemplate& AboutDialogTemplate() {
    static const std::array<ControlTemplate, 3> controls = MakeAboutControls();
    static const DialogTemplate dialog{IDD_ABOUTBOX, "IDD_ABOUTBOX", "About Brisaloo", 217, 55,
                                       controls};
    return dialog;
}

std::span<const DialogTemplate* const> AllDialogTemplates() {
    static const DialogTemplate* const all[] = {&MainDialogTemplate(), &SetupDialogTemplate(),
                                                &NotesDialogTemplate(), &AddNoteDialogTemplate(),
                                                &AboutDialogTemplate()};
    return all;
}

const std::string& AboutVersionText() {
    static const std::string strText = [] {
        const std::string strVersion = BRISALOO_VERSION;
        const std::size_t nFirstDot = strVersion.find('.');
        const std::size_t nSecondDot =
            nFirstDot == std::string::npos ? nFirstDot : strVersion.find('.', nFirstDot + 1);
        return "Brisaloo Version " + strVersion.substr(0, nSecondDot);
    }();
    return strText;
}
