// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Sends a notification to the desktop's notification server
// (org.freedesktop.Notifications on the session bus) as "Brisaloo" with the
// "brisaloo" icon. Returns false, having sent nothing, when no server runs or
// can be started on the bus. The call does not wait for the server's answer.
bool SendDesktopNotification(const QString& strSummary, const QString& strBody);
