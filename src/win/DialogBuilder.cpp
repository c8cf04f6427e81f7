// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/DialogBuilder.h"

#include <string_view>

#include "win/Utf.h"

namespace {

using Kind = ControlTemplate::Kind;

// Predefined window classes as dialog-template ordinals.
enum : WORD { kButtonClass = 0x80, kEditClass = 0x81, kStaticClass = 0x82, kListBoxClass = 0x83 };

constexpr DWORD kReadOnlyLine = ES_READONLY | ES_AUTOHSCROLL;
constexpr DWORD kEditableLines = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL;

WORD ControlClass(Kind kind) {
    switch (kind) {
        case Kind::PushButton:
        case Kind::DefaultButton:
        case Kind::GroupBox:
        case Kind::CheckBox:
            return kButtonClass;
        case Kind::Label:
        case Kind::Icon:
            return kStaticClass;
        case Kind::ListBox:
            return kListBoxClass;
        default:
            return kEditClass;
    }
}

DWORD ControlStyle(Kind kind) {
    switch (kind) {
        case Kind::PushButton:
            return BS_PUSHBUTTON | WS_TABSTOP;
        case Kind::DefaultButton:
            return BS_DEFPUSHBUTTON | WS_TABSTOP;
        case Kind::Label:
            return SS_LEFT | SS_NOPREFIX;
        case Kind::GroupBox:
            return BS_GROUPBOX;
        case Kind::Field:
            return kReadOnlyLine | WS_TABSTOP;
        case Kind::BorderedField:
            return kReadOnlyLine | WS_TABSTOP;
        case Kind::MultiLineField:
            return ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP;
        case Kind::BannerField:
            return kReadOnlyLine;
        case Kind::CheckBox:
            return BS_AUTOCHECKBOX | WS_TABSTOP;
        case Kind::EditField:
            return ES_AUTOHSCROLL | WS_TABSTOP;
        // No LBS_SORT: the rows stay in the order the notes are stored.
        case Kind::ListBox:
            return LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
        case Kind::BodyEdit:
            return kEditableLines | ES_AUTOHSCROLL | WS_HSCROLL | WS_TABSTOP;
        case Kind::WrappedBodyEdit:
            return kEditableLines | WS_TABSTOP;
        case Kind::Icon:
            return SS_ICON;
    }
    return 0;
}

DWORD ControlExStyle(Kind kind) {
    switch (kind) {
        case Kind::BorderedField:
        case Kind::MultiLineField:
        case Kind::EditField:
        case Kind::ListBox:
        case Kind::BodyEdit:
        case Kind::WrappedBodyEdit:
            return WS_EX_CLIENTEDGE;
        default:
            return 0;
    }
}

// The kinds a screen reader names after the static text before them; the
// others show their own text, or are text themselves.
bool IsNamedByLabel(Kind kind) {
    switch (kind) {
        case Kind::Field:
        case Kind::BorderedField:
        case Kind::MultiLineField:
        case Kind::BannerField:
        case Kind::EditField:
        case Kind::ListBox:
        case Kind::BodyEdit:
        case Kind::WrappedBodyEdit:
            return true;
        default:
            return false;
    }
}

bool IsLabelReading(const ControlTemplate& control, std::string_view name) {
    return control.kind == Kind::Label && control.pszText && name == control.pszText;
}

const ControlTemplate* LabelReading(const DialogTemplate& dialog, std::string_view name) {
    for (const ControlTemplate& control : dialog.controls)
        if (IsLabelReading(control, name)) return &control;
    return nullptr;
}

bool NamesAField(const DialogTemplate& dialog, const ControlTemplate& label) {
    for (const ControlTemplate& control : dialog.controls)
        if (IsNamedByLabel(control.kind) && control.pszAccessibleName &&
            IsLabelReading(label, control.pszAccessibleName))
            return true;
    return false;
}

constexpr WORD kFontPoints = 8;
constexpr const char* kFontFace = "MS Shell Dlg";
constexpr DWORD kDialogFont = DS_SETFONT | DS_FIXEDSYS;  // DS_SHELLFONT

}  // namespace

DialogFrame ModalDialogFrame() {
    return {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 0, nullptr};
}

DialogFrame MainWindowFrame(const wchar_t* pszWindowClass) {
    return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_CENTER,
            WS_EX_APPWINDOW, pszWindowClass};
}

std::vector<DialogChild> DialogChildren(const DialogTemplate& dialog) {
    std::vector<DialogChild> children;
    children.reserve(dialog.controls.size() * 2);
    for (const ControlTemplate& control : dialog.controls) {
        if (NamesAField(dialog, control)) continue;  // it goes before its field
        if (IsNamedByLabel(control.kind) && control.pszAccessibleName) {
            if (const ControlTemplate* label = LabelReading(dialog, control.pszAccessibleName)) {
                children.push_back({*label});
            } else {
                ControlTemplate hiddenLabel = control;
                hiddenLabel.nId = -1;
                hiddenLabel.pszName = nullptr;
                hiddenLabel.kind = Kind::Label;
                hiddenLabel.pszText = control.pszAccessibleName;
                hiddenLabel.pszAccessibleName = nullptr;
                hiddenLabel.nTextLimit = 0;
                children.push_back({hiddenLabel, false});
            }
        }
        children.push_back({control});
    }
    return children;
}

DialogTemplateBuffer::DialogTemplateBuffer(const DialogTemplate& dialog, const DialogFrame& frame) {
    AddWord(1);       // dlgVer
    AddWord(0xFFFF);  // signature: the extended form
    AddDword(0);      // helpID
    AddDword(frame.dwExStyle);
    AddDword(frame.dwStyle | kDialogFont);
    const std::vector<DialogChild> children = DialogChildren(dialog);
    AddWord(static_cast<WORD>(children.size()));
    for (const int n : {0, 0, dialog.cx, dialog.cy}) AddWord(static_cast<WORD>(n));
    AddWord(0);  // no menu
    if (frame.pszWindowClass) {
        for (const wchar_t* p = frame.pszWindowClass; *p; ++p) AddWord(static_cast<WORD>(*p));
    }
    AddWord(0);
    AddText(dialog.pszCaption);
    AddWord(kFontPoints);
    AddWord(FW_NORMAL);
    AddWord(MAKEWORD(FALSE, DEFAULT_CHARSET));  // italic, charset
    AddText(kFontFace);
    for (const DialogChild& child : children) AddControl(child);
}

void DialogTemplateBuffer::AddControl(const DialogChild& child) {
    const ControlTemplate& control = child.control;
    AlignToDword();
    AddDword(0);  // helpID
    AddDword(ControlExStyle(control.kind));
    AddDword(WS_CHILD | (child.bVisible ? WS_VISIBLE : 0) | ControlStyle(control.kind));
    for (const int n : {control.x, control.y, control.cx, control.cy})
        AddWord(static_cast<WORD>(n));
    AddDword(static_cast<DWORD>(control.nId));
    AddWord(0xFFFF);
    AddWord(ControlClass(control.kind));
    if (control.kind == Kind::Icon) {
        AddWord(0xFFFF);  // the icon resource by number
        AddWord(IDR_MAINFRAME);
    } else {
        AddText(control.pszText);
    }
    AddWord(0);  // no creation data
}

void DialogTemplateBuffer::AddDword(DWORD dw) {
    AddWord(LOWORD(dw));
    AddWord(HIWORD(dw));
}

void DialogTemplateBuffer::AddText(const char* pszUtf8) {
    for (const wchar_t c : Utf16FromUtf8(pszUtf8 ? pszUtf8 : "")) AddWord(static_cast<WORD>(c));
    AddWord(0);
}

void DialogTemplateBuffer::AlignToDword() {
    if (m_words.size() % 2) AddWord(0);
}

namespace {

void WidenToText(HWND hControl, int nExtra) {
    wchar_t szText[256] = {};
    const int nLength = GetWindowTextW(hControl, szText, 256);
    const HDC hDC = GetDC(hControl);
    const HGDIOBJ hOldFont =
        SelectObject(hDC, reinterpret_cast<HFONT>(SendMessageW(hControl, WM_GETFONT, 0, 0)));
    SIZE textSize{};
    GetTextExtentPoint32W(hDC, szText, nLength, &textSize);
    SelectObject(hDC, hOldFont);
    ReleaseDC(hControl, hDC);
    RECT rect{};
    GetWindowRect(hControl, &rect);
    const int nWidth = textSize.cx + nExtra;
    if (nWidth > rect.right - rect.left)
        SetWindowPos(hControl, nullptr, 0, 0, nWidth, rect.bottom - rect.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void AdjustControls(HWND hDlg, const DialogTemplate& dialog) {
    HWND hControl = GetWindow(hDlg, GW_CHILD);
    for (const DialogChild& child : DialogChildren(dialog)) {
        const ControlTemplate& control = child.control;
        if (!hControl) break;
        if (control.nTextLimit > 0)
            SendMessageW(hControl, EM_LIMITTEXT, static_cast<WPARAM>(control.nTextLimit), 0);
        if (control.kind == Kind::Label) WidenToText(hControl, 0);
        // The box and the gap before the text.
        if (control.kind == Kind::CheckBox)
            WidenToText(hControl,
                        GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE) * 2);
        hControl = GetWindow(hControl, GW_HWNDNEXT);
    }
}
