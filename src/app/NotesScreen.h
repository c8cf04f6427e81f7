// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CCountdownApp;
class IUserMessages;

// Minimal notes screen: what the main screen needs of it. The full class, with
// the whole notes flow, replaces this header.
class NotesScreen {
public:
    NotesScreen(CCountdownApp& app, IUserMessages& messages) : m_app(app), m_messages(messages) {}
    // Saves a pending body edit without asking anyone (the full class does the work).
    void SavePendingEdit() {}

private:
    CCountdownApp& m_app;
    IUserMessages& m_messages;
};
