#pragma once

// Control ids of the main window that the countdown writes.
enum : int {
    IDC_SECONDS = 1000,
    IDC_DAYS = 1003,
    IDC_HOURS = 1004,
    IDC_MINUTES = 1005,
    IDC_TOTAL_MINUTES = 1006,
    IDC_TOTAL_SECONDS = 1007,
    IDC_TOTAL_HOURS = 1008,
};
