// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/CCountdownDlg.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/DialogTemplates.h"
#include "app/SetupForm.h"
#include "qt/AppIcon.h"
#include "qt/CAboutDlg.h"
#include "qt/CNotesDlg.h"
#include "qt/CSetupDlg.h"
#include "qt/CTrayIcon.h"
#include "qt/ControlTemplate.h"
#include "qt/DialogUnits.h"

namespace {

void PaintBlackOnWhite(QWidget& window) {
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

}  // namespace

CCountdownDlg::CCountdownDlg(CCountdownApp& app, const IClock& clock, QWidget* parent)
    : QDialog(parent), m_screen(app, clock, *this, m_messages), m_pTray(new CTrayIcon(this)) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf8(MainDialogTemplate().pszCaption));
    PaintBlackOnWhite(*this);
    CreateControls();
    ConnectButtons();
    CreateTrayMenu();
    connect(&m_timer, &QTimer::timeout, this, [this] { m_screen.OnTimer(); });
    connect(m_pTray, &CTrayIcon::LeftButtonDown, this, [this] { m_screen.OnTrayMenu(); });
    connect(m_pTray, &CTrayIcon::DoubleClicked, this, [this] { m_screen.OnShowMainScreen(); });
    connect(m_pTray, &CTrayIcon::CommandChosen, this,
            [this](TrayCommand command) { m_screen.OnTrayCommand(command); });
    connect(m_pTray, &CTrayIcon::Shown, this, [this] { m_screen.OnTrayIconShown(); });
    connect(m_pTray, &CTrayIcon::Lost, this, [this] { m_screen.OnTrayLost(); });
    connect(m_pTray, &CTrayIcon::TrayCreated, this, [this] { m_screen.OnTrayCreated(); });
}

CCountdownDlg::~CCountdownDlg() {
    m_pTray->Remove();
}

void CCountdownDlg::CreateControls() {
    const DialogUnits units(font());
    const DialogTemplate& dialog = MainDialogTemplate();
    for (const ControlTemplate& control : dialog.controls) {
        QWidget* widget = CreateControl(control, units, *this);
        if (control.nId >= 0) m_controls[control.nId] = widget;
        // A field that fills its own background is opaque: rewriting it every
        // second repaints the field alone, not the group box and window behind it.
        if (auto* field = qobject_cast<QLineEdit*>(widget)) field->setAutoFillBackground(true);
    }
    setFixedSize(units.Size(dialog.cx, dialog.cy));
}

void CCountdownDlg::ConnectButtons() {
    const std::pair<int, void (CountdownScreen::*)()> buttons[] = {
        {IDC_SETUP, &CountdownScreen::OnSetup}, {IDC_HIDE, &CountdownScreen::OnHideMe},
        {IDC_ABOUT, &CountdownScreen::OnAbout}, {IDC_COPY, &CountdownScreen::OnCopyToClipboard},
        {IDC_NOTES, &CountdownScreen::OnNotes}, {IDC_PAUSE, &CountdownScreen::OnPause},
    };
    for (const auto& [nId, handler] : buttons)
        connect(static_cast<QPushButton*>(m_controls.at(nId)), &QPushButton::clicked, this,
                [this, handler] { (m_screen.*handler)(); });
    connect(static_cast<QPushButton*>(m_controls.at(IDOK)), &QPushButton::clicked, this,
            &QDialog::accept);
    static_cast<QPushButton*>(m_controls.at(IDC_PAUSE))->setFlat(true);
}

void CCountdownDlg::CreateTrayMenu() {
    m_pTrayMenu = new QMenu(QStringLiteral("Brisaloo"), this);
    for (const TrayMenuItem& item : kTrayMenu)
        m_pTrayMenu->addAction(QString::fromLatin1(item.pszText), this,
                               [this, item] { m_screen.OnTrayCommand(item.command); });
}

QWidget* CCountdownDlg::Control(int nId) const {
    const auto found = m_controls.find(nId);
    return found == m_controls.end() ? nullptr : found->second;
}

QList<QAction*> CCountdownDlg::TrayMenuActions() const {
    return m_pTrayMenu->actions();
}

// The main window runs a loop of its own rather than QDialog::exec(): a
// dialog's run ends whenever it is hidden, and going to the tray is not an
// end. done() ends this loop, whether the window is shown or in the tray.
int CCountdownDlg::DoModal() {
    OnInitDialog();
    if (m_screen.IsEnded()) return result();  // asked to end while a start-up message was open
    QEventLoop loop;
    m_pRunLoop = &loop;
    loop.exec(QEventLoop::DialogExec);
    m_pRunLoop = nullptr;
    return result();
}

void CCountdownDlg::OnInitDialog() {
    // The window and the tray share the application's icon rather than
    // decode its six sizes twice more.
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull()) icon = BrisalooWindowIcon();
    setWindowIcon(icon);
    m_screen.OnInitDialog();
}

void CCountdownDlg::setVisible(bool bVisible) {
    if (bVisible) m_screen.OnShown();
    QDialog::setVisible(bVisible);
}

void CCountdownDlg::OnEndSession() {
    m_screen.OnEndSession();
}

void CCountdownDlg::OnCommitData() {
    m_screen.OnCommitData();
}

void CCountdownDlg::SetDlgItemText(int nId, const std::string& strText) {
    const QString strField = QString::fromStdString(strText);
    QWidget* control = m_controls.at(nId);
    if (auto* line = qobject_cast<QLineEdit*>(control))
        line->setText(strField);
    else if (auto* text = qobject_cast<QPlainTextEdit*>(control))
        text->setPlainText(strField);
}

void CCountdownDlg::ShowWindow() {
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void CCountdownDlg::MinimiseWindow() {
    // On X11 a window that is not mapped ignores the minimise asked with its
    // show (the window manager sees a normal window): map it first.
    if (!isVisible() && QGuiApplication::platformName() == QLatin1String("xcb")) show();
    showMinimized();
}

void CCountdownDlg::SetClipboardText(const std::string& strText) {
    QApplication::clipboard()->setText(QString::fromStdString(strText));
}

bool CCountdownDlg::RunSetupDialog(SetupForm& form) {
    CSetupDlg setup(form, this);
    return setup.exec() == QDialog::Accepted;
}

void CCountdownDlg::RunNotesDialog(NotesScreen& notes) {
    CNotesDlg dialog(notes, this);
    dialog.exec();
}

void CCountdownDlg::RunAboutDialog() {
    CAboutDlg about(this);
    about.exec();
}

void CCountdownDlg::BringDialogForward() {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || dialog == this) return;
    dialog->raise();
    dialog->activateWindow();
}

void CCountdownDlg::CloseNestedDialogs() {
    // Innermost first: a dialog that ends leaves the modal stack at once.
    for (int nDepth = 0; nDepth < 16; ++nDepth) {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog == this) break;
        dialog->done(QDialog::Rejected);
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget == this || !widget->isVisible()) continue;
        if (auto* dialog = qobject_cast<QDialog*>(widget))
            dialog->done(QDialog::Rejected);
        else
            widget->close();
    }
}

void CCountdownDlg::done(int nResult) {
    m_nEndResult = nResult;
    m_screen.OnClose();
}

void CCountdownDlg::EndMainWindow() {
    QDialog::done(m_nEndResult);
    if (m_pRunLoop) m_pRunLoop->exit(m_nEndResult);
}

void CCountdownDlg::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QString::fromUtf8(kAboutMenuText), this, [this] { m_screen.OnAbout(); });
    menu.exec(event->globalPos());
}
