// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/CNotesDlg.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/DialogTemplates.h"
#include "app/NotesScreen.h"

CNotesDlg::CNotesDlg(CCountdownApp& app, QWidget* parent)
    : QDialog(parent),
      m_pOwnScreen(std::make_unique<NotesScreen>(app, m_messages)),
      m_screen(*m_pOwnScreen) {
    Init();
}

CNotesDlg::CNotesDlg(NotesScreen& screen, QWidget* parent) : QDialog(parent), m_screen(screen) {
    Init();
}

// A dialog that ends without accept() or reject() drops a pending edit too,
// and its widgets report nothing more while they go.
CNotesDlg::~CNotesDlg() {
    for (QWidget* widget : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        widget->disconnect(this);
    m_screen.OnCancel();
}

void CNotesDlg::Init() {
    BuildDialogFromTemplate(*this, NotesDialogTemplate());
    const auto button = [this](int nId) {
        return static_cast<QPushButton*>(DialogItem(*this, nId));
    };
    connect(button(IDOK), &QPushButton::clicked, this, &CNotesDlg::accept);
    connect(button(IDC_NOTE_ADD), &QPushButton::clicked, this, [this] { m_screen.OnAddNote(); });
    connect(button(IDC_NOTE_DELETE), &QPushButton::clicked, this,
            [this] { m_screen.OnDeleteNote(); });
    auto* list = static_cast<QListWidget*>(DialogItem(*this, IDC_NOTE_LIST));
    connect(list, &QListWidget::itemSelectionChanged, this, [this] { m_screen.OnSelectNote(); });
    connect(list, &QListWidget::itemDoubleClicked, this, [this] { m_screen.OnSelectNote(); });
    connect(static_cast<QPlainTextEdit*>(DialogItem(*this, IDC_NOTE_BODY)),
            &QPlainTextEdit::textChanged, this, [this] { m_screen.OnChangeNoteBody(); });
    m_screen.OnInitDialog(m_view);
}

void CNotesDlg::accept() {
    m_screen.OnClose();
    QDialog::accept();
}

void CNotesDlg::reject() {
    m_screen.OnCancel();
    QDialog::reject();
}

void CNotesDlg::SavePendingEdit() {
    m_screen.SavePendingEdit();
}
