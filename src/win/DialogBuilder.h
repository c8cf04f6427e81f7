// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "win/Win32.h"

// A dialog template of the core (DialogTemplates.h) as an in-memory
// DLGTEMPLATEEX for DialogBoxIndirectParamW and CreateDialogIndirectParamW:
// Windows lays it out in dialog units of the dialog font (MS Shell Dlg,
// 8 point), and every control keeps the template's id, so screen readers and
// automation tools find it as they find a control of a resource dialog.
struct DialogFrame {
    DWORD dwStyle;
    DWORD dwExStyle = 0;
    const wchar_t* pszWindowClass = nullptr;  // a registered class; nullptr: the dialog class
};

// The window styles of a dialog window: modal ones are centred on their owner.
DialogFrame ModalDialogFrame();
DialogFrame MainWindowFrame(const wchar_t* pszWindowClass);

// One child window of a dialog as it is created.
struct DialogChild {
    ControlTemplate control;
    bool bVisible = true;
};

// The template's controls in the order the windows are made, which is their
// z-order. A screen reader on Windows names a field after the static text
// just before it, so each field's label comes right before the field; a
// field whose name no label shows gets a hidden label of that name. Only
// labels move, so the tab order stays the template's.
std::vector<DialogChild> DialogChildren(const DialogTemplate& dialog);

// The template in a DWORD-aligned buffer; pass Data() to the dialog calls.
class DialogTemplateBuffer {
public:
    DialogTemplateBuffer(const DialogTemplate& dialog, const DialogFrame& frame);
    const DLGTEMPLATE* Data() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void AddControl(const DialogChild& child);
    void AddWord(WORD w) { m_words.push_back(w); }
    void AddDword(DWORD dw);
    void AddText(const char* pszUtf8);
    void AlignToDword();

    // The allocator's alignment (at least that of a pointer) makes the start
    // DWORD-aligned; AlignToDword keeps every item so.
    std::vector<WORD> m_words;
};

// What the template cannot carry, done in WM_INITDIALOG: edit limits
// (EM_LIMITTEXT), and labels and check boxes widened to their text where the
// desktop's dialog font is wider than the one the template was laid out for,
// so that no label is cut short.
void AdjustControls(HWND hDlg, const DialogTemplate& dialog);
