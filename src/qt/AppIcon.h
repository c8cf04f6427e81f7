// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The sizes of the icon's PNGs, from BRISALOO_ICON_SIZES in CMakeLists.txt.
inline constexpr int kIconSizes[] = {BRISALOO_ICON_SIZES};

// The application icon with every size the program carries, for the windows,
// the tray and the notifications. A size is decoded when it is first drawn.
QIcon BrisalooIcon();

// The same icon for the windows. X11 gets every size an icon names when a
// window is created (decoded and copied to the window manager), so this one
// names only the sizes title bars and task lists draw; a larger size is still
// drawn from its own PNG when asked for.
inline constexpr int kLargestWindowIconSize = 48;
QIcon BrisalooWindowIcon();
