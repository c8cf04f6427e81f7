#pragma once

// Control ids of the main window besides the countdown fields.
enum : int {
    IDOK = 1,
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
};
