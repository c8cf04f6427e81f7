// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Control ids of the main window.
enum : int {
    IDC_SECONDS = 1000,
    IDC_DAYS = 1003,
    IDC_HOURS = 1004,
    IDC_MINUTES = 1005,
    IDC_TOTAL_MINUTES = 1006,
    IDC_TOTAL_SECONDS = 1007,
    IDC_TOTAL_HOURS = 1008,

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
