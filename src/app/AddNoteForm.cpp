// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AddNoteForm.h"

#include "app/DialogTemplates.h"
#include "app/DialogView.h"

namespace {

constexpr std::string_view kLineSeparator = "\xE2\x80\xA8";       // U+2028
constexpr std::string_view kParagraphSeparator = "\xE2\x80\xA9";  // U+2029

bool IsContinuationByte(char ch) {
    return (static_cast<unsigned char>(ch) & 0xC0) == 0x80;
}

}  // namespace

std::string FieldTextToNote(std::string_view text) {
    std::string strNote;
    strNote.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("\r\n")) {
            ++i;
        } else if (rest.starts_with(kLineSeparator) || rest.starts_with(kParagraphSeparator)) {
            i += 2;
        } else if (text[i] != '\r' && text[i] != '\n') {
            strNote += text[i];
            continue;
        }
        strNote += "\r\n";
    }
    return strNote;
}

std::string FieldTextToSubject(std::string_view text) {
    std::string strSubject;
    std::size_t nChars = 0;
    for (char ch : text) {
        if (!IsContinuationByte(ch) && ++nChars > kMaxSubjectChars) break;
        strSubject += ch == '\r' || ch == '\n' ? ' ' : ch;
    }
    return strSubject;
}

void AddNoteForm::OnOK(IDialogView& view) {
    m_strNoteSubject = FieldTextToSubject(view.GetItemText(IDC_ADDNOTE_SUBJECT));
    m_strNoteBody = FieldTextToNote(view.GetItemText(IDC_ADDNOTE_BODY));
}
