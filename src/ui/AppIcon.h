#pragma once

#include <QIcon>

// The application icon with every size the program carries (16 to 256 px),
// for the windows, the tray and the notifications.
QIcon BrisalooIcon();
