// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// windows.h for the shell: every file of it includes windows.h through here. The core's control ids
// name IDOK and IDCANCEL as enumerators, which windows.h defines as macros: the templates come
// first, so the enumerators are declared before the macros exist (both are 1 and 2).
#include "app/DialogTemplates.h"

#include <windows.h>

// Names the core uses for its own functions: IMainView::SetDlgItemText (the
// shell calls SetDlgItemTextW by its wide name) and CTime::GetCurrentTime.
#undef SetDlgItemText
#undef GetCurrentTime
