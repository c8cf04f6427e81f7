// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The sizes of the icon's PNGs, from BRISALOO_ICON_SIZES in CMakeLists.txt.
inline constexpr int kIconSizes[] = {BRISALOO_ICON_SIZES};

// The application icon with every size the program carries, for the windows,
// the tray and the notifications. A size is decoded when it is first drawn.
QIcon BrisalooIcon();
