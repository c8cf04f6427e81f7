// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/CNotesDlg.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextDocument>

#include "app/CCountdownApp.h"
#include "qt/CAddNoteDlg.h"
#include "qt/DialogUnits.h"
#include "qt/FramedArea.h"
#include "qt/UserMessages.h"

namespace {

QString FromBytes(const std::string& str) {
    return QString::fromUtf8(str.data(), static_cast<qsizetype>(str.size()));
}

}  // namespace

bool MessageBoxPrompts::Confirm(QWidget* parent, const QString& strQuestion) {
    return UserMessages::AskYesNo(parent, strQuestion);
}

void MessageBoxPrompts::Warn(QWidget* parent, const QString& strText) {
    UserMessages::Warn(parent, strText);
}

std::optional<NewNote> MessageBoxPrompts::AskForNewNote(QWidget* parent) {
    CAddNoteDlg dlg(parent);
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return NewNote{dlg.m_strNoteSubject, dlg.m_strNoteBody};
}

CNotesDlg::CNotesDlg(CCountdownApp& app, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_pOwnPrompts(std::make_unique<MessageBoxPrompts>()),
      m_pPrompts(m_pOwnPrompts.get()) {
    Init();
}

CNotesDlg::CNotesDlg(CCountdownApp& app, INotesPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_app(app), m_pPrompts(&prompts) {
    Init();
}

// Opens with every note listed, none selected and an empty body field.
void CNotesDlg::Init() {
    setWindowTitle(QStringLiteral("Brisaloo: Notes"));
    setObjectName(QStringLiteral("IDD_NOTES"));
    CreateControls();
    setFixedSize(DialogUnits(font()).Size(386, 225));
    FillList();
    ShowCurrentNote();
    m_pClose->setFocus();
}

CNotesDlg::~CNotesDlg() = default;

// The template's controls in its order, which is also the tab order. The
// dialog keeps its size, as its controls keep their places.
void CNotesDlg::CreateControls() {
    const DialogUnits units(font());

    m_pClose = new QPushButton(QStringLiteral("Close Notes"), this);
    m_pClose->setObjectName(IDOK);
    m_pClose->setDefault(true);
    units.Place(*m_pClose, 325, 5, 50, 14);
    connect(m_pClose, &QPushButton::clicked, this, &CNotesDlg::accept);

    m_pList = new FramedArea<QListWidget>(this);
    m_pList->setObjectName(IDC_NOTE_LIST);
    m_pList->setAccessibleName(QStringLiteral("Notes"));
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setSortingEnabled(false);  // rows stay in store order
    units.Place(*m_pList, 5, 5, 305, 45);
    connect(m_pList, &QListWidget::itemSelectionChanged, this, &CNotesDlg::OnSelectNote);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &CNotesDlg::OnSelectNote);

    m_pBody = new FramedArea<QPlainTextEdit>(this);
    m_pBody->setObjectName(IDC_NOTE_BODY);
    m_pBody->setAccessibleName(QStringLiteral("Note body"));
    m_pBody->setTabChangesFocus(true);
    m_pBody->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pBody->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pBody->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    units.Place(*m_pBody, 5, 55, 375, 160);
    connect(m_pBody, &QPlainTextEdit::textChanged, this, &CNotesDlg::OnChangeNoteBody);

    m_pAdd = new QPushButton(QStringLiteral("Add a Note"), this);
    m_pAdd->setObjectName(IDC_NOTE_ADD);
    units.Place(*m_pAdd, 325, 20, 50, 14);
    connect(m_pAdd, &QPushButton::clicked, this, &CNotesDlg::OnAddNote);

    m_pDelete = new QPushButton(QStringLiteral("Delete Note"), this);
    m_pDelete->setObjectName(IDC_NOTE_DELETE);
    units.Place(*m_pDelete, 325, 35, 50, 14);
    connect(m_pDelete, &QPushButton::clicked, this, &CNotesDlg::OnDeleteNote);
}

// Row i shows the subject of note i; programmatic changes to the list send no
// selection notices, as a user's would.
void CNotesDlg::FillList() {
    const QSignalBlocker blocker(m_pList);
    m_pList->clear();
    const NotesStore& notes = m_app.m_notes;
    for (int i = 0; i <= notes.m_nLastNote; ++i) {
        m_pList->insertItem(i, FromBytes(notes.m_strSubject[i]));
    }
}

int CNotesDlg::SelectedRow() const {
    const QList<QListWidgetItem*> selected = m_pList->selectedItems();
    return selected.isEmpty() ? -1 : m_pList->row(selected.first());
}

// The body field shows the current note; with none it is empty and takes no
// typing, so nothing typed can belong to no note.
void CNotesDlg::ShowCurrentNote() {
    const bool bHasNote = m_nCurNote >= 0 && m_nCurNote <= m_app.m_notes.m_nLastNote;
    m_bFillingBody = true;
    m_pBody->setPlainText(bHasNote ? NoteTextToField(m_app.m_notes.m_strBody[m_nCurNote])
                                   : QString());
    m_bFillingBody = false;
    m_pBody->setReadOnly(!bHasNote);
    m_pDelete->setEnabled(SelectedRow() >= 0);
}

void CNotesDlg::OnChangeNoteBody() {
    if (!m_bFillingBody) m_bBodyModified = true;
}

void CNotesDlg::CopyPendingEdit() {
    if (!m_bBodyModified) return;
    m_bBodyModified = false;
    const std::string strBody = FieldTextToNote(m_pBody->document()->toRawText());
    if (UpdateNoteBody(m_app.m_notes, m_nCurNote, strBody)) SaveNotes();
}

void CNotesDlg::OnSelectNote() {
    CopyPendingEdit();
    m_nCurNote = SelectedRow();
    ShowCurrentNote();
}

void CNotesDlg::SavePendingEdit() {
    m_bNobodyToAsk = true;
    CopyPendingEdit();
    m_bNobodyToAsk = false;
}

void CNotesDlg::accept() {
    CopyPendingEdit();
    QDialog::accept();
}

void CNotesDlg::OnAddNote() {
    NotesStore& notes = m_app.m_notes;
    if (!CanAddNote(notes)) {
        m_pPrompts->Warn(this, QString::fromStdString(FullStoreMessage()));
        return;
    }
    std::optional<NewNote> note = m_pPrompts->AskForNewNote(this);
    if (!note || !AddNote(notes, std::move(note->strSubject), std::move(note->strBody))) return;
    const int n = notes.m_nLastNote;
    {
        const QSignalBlocker blocker(m_pList);
        m_pList->insertItem(n, FromBytes(notes.m_strSubject[n]));
    }
    SaveNotes();
}

void CNotesDlg::OnDeleteNote() {
    const int k = SelectedRow();
    if (k < 0) return;
    if (!m_pPrompts->Confirm(this, QStringLiteral("Are you sure you want to delete this note?"))) {
        return;
    }
    const int nCurrent = DeleteNote(m_app.m_notes, k);
    SaveNotes();

    // The edit of the deleted note, if any, goes with it; note 0 becomes current.
    FillList();
    m_nCurNote = nCurrent;
    if (m_nCurNote == 0) {
        const QSignalBlocker blocker(m_pList);
        m_pList->setCurrentRow(0);
    }
    ShowCurrentNote();
    m_bBodyModified = false;
}

// A failed save keeps the notes in memory and tells the user. A file that
// could not be read at start-up is replaced only when the user agrees.
void CNotesDlg::SaveNotes() {
    if (m_bNobodyToAsk) {
        // A file that could not be read stays as it is; a failure goes to the log.
        const NotesResult result = m_app.SaveNotes();
        if (result.status == NotesResult::Status::kFailed)
            qWarning("%s", result.strMessage.c_str());
        return;
    }
    const NotesResult result = m_app.SaveNotes([this](const std::string& strQuestion) {
        return m_pPrompts->Confirm(this, QString::fromStdString(strQuestion));
    });
    if (result.status == NotesResult::Status::kFailed)
        m_pPrompts->Warn(this, QString::fromStdString(result.strMessage));
}
