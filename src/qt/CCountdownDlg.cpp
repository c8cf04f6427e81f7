// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/CCountdownDlg.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCursor>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include <iostream>

#include "app/CCountdownApp.h"
#include "app/ProfileSettings.h"
#include "countdown/Clock.h"
#include "countdown/CountdownTexts.h"
#include "trivia/TriviaLoader.h"
#include "qt/AppIcon.h"
#include "qt/CAboutDlg.h"
#include "qt/CNotesDlg.h"
#include "qt/CSetupDlg.h"
#include "qt/CTrayIcon.h"
#include "qt/ControlTemplate.h"
#include "qt/DialogUnits.h"
#include "app/DialogTemplates.h"
#include "qt/UserMessages.h"

namespace {

// The control that shows each countdown field, in CountdownField order.
constexpr int kFieldControls[kCountdownFieldCount] = {
    IDC_DAYS,        IDC_HOURS,         IDC_MINUTES,      IDC_SECONDS,
    IDC_TOTAL_HOURS, IDC_TOTAL_MINUTES, IDC_TOTAL_SECONDS};

int ControlOf(CountdownField field) {
    return kFieldControls[static_cast<std::size_t>(field)];
}
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
    : QDialog(parent),
      m_app(app),
      m_clock(clock),
      m_pTray(new CTrayIcon(this)),
      m_pTrivia(std::make_unique<TriviaTable>()),
      m_pRandom(std::make_unique<StdTriviaRandom>()),
      m_alert(app.m_strStatePath, app.Profile(), std::cerr) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Brisaloo "));
    PaintBlackOnWhite(*this);
    CreateControls();
    CreateTrayMenu();
    m_timer.setInterval(kTickPeriodMs);
    connect(&m_timer, &QTimer::timeout, this, &CCountdownDlg::OnTimer);
    connect(m_pTray, &CTrayIcon::LeftButtonDown, this, &CCountdownDlg::OnTrayMenu);
    connect(m_pTray, &CTrayIcon::DoubleClicked, this, &CCountdownDlg::OnShowMainScreen);
    connect(m_pTray, &CTrayIcon::CommandChosen, this, &CCountdownDlg::OnTrayCommand);
    // The panel went away: a window hidden in it must not be stranded.
    connect(m_pTray, &CTrayIcon::Lost, this, [this] {
        if (m_bInTray) HideToTray();
    });
}

CCountdownDlg::~CCountdownDlg() { m_pTray->Remove(); }

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

    const std::pair<int, void (CCountdownDlg::*)()> buttons[] = {
        {IDOK, nullptr},
        {IDC_SETUP, &CCountdownDlg::OnSetup},
        {IDC_HIDE, &CCountdownDlg::OnHideMe},
        {IDC_ABOUT, &CCountdownDlg::OnAbout},
        {IDC_COPY, &CCountdownDlg::OnCopyToClipboard},
        {IDC_NOTES, &CCountdownDlg::OnNotes},
        {IDC_PAUSE, &CCountdownDlg::OnPause},
    };
    for (const auto& [nId, handler] : buttons) {
        auto* button = static_cast<QPushButton*>(m_controls.at(nId));
        if (handler)
            connect(button, &QPushButton::clicked, this, handler);
        else
            connect(button, &QPushButton::clicked, this, &QDialog::accept);
    }
    static_cast<QPushButton*>(m_controls.at(IDC_PAUSE))->setFlat(true);
}

void CCountdownDlg::CreateTrayMenu() {
    m_pTrayMenu = new QMenu(QStringLiteral("Brisaloo"), this);
    for (const TrayMenuItem& item : kTrayMenu)
        m_pTrayMenu->addAction(QString::fromLatin1(item.pszText), this,
                               [this, item] { OnTrayCommand(item.command); });
}

// The tray menu's items, whether from the window's own pop-up or from the
// menu a panel drew.
void CCountdownDlg::OnTrayCommand(TrayCommand command) {
    switch (command) {
        case TrayCommand::ShowMainScreen:
            OnShowMainScreen();
            break;
        case TrayCommand::Notes:
            OnNotes();
            break;
        case TrayCommand::Setup:
            OnSetup();
            break;
        case TrayCommand::Exit:
            OnTrayExit();
            break;
    }
}

QWidget* CCountdownDlg::Control(int nId) const {
    const auto found = m_controls.find(nId);
    return found == m_controls.end() ? nullptr : found->second;
}

QList<QAction*> CCountdownDlg::TrayMenuActions() const { return m_pTrayMenu->actions(); }

// The main window runs a loop of its own rather than QDialog::exec(): a
// dialog's run ends whenever it is hidden, and going to the tray is not an
// end. done() ends this loop, whether the window is shown or in the tray.
int CCountdownDlg::DoModal() {
    OnInitDialog();
    if (m_bEnded) return result();  // asked to end while a start-up message was open
    show();
    QEventLoop loop;
    m_pRunLoop = &loop;
    loop.exec(QEventLoop::DialogExec);
    m_pRunLoop = nullptr;
    return result();
}

void CCountdownDlg::OnInitDialog() {
    if (m_bInitialised) return;
    m_bInitialised = true;

    // The window and the tray share the application's icon rather than
    // decode its six sizes twice more.
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull()) icon = BrisalooIcon();
    setWindowIcon(icon);
    m_bPaused = false;

    // A missing notes.dat is an empty store; anything else worth knowing
    // (an unreadable file, more notes than the list holds) is said here.
    const NotesResult notes = m_app.LoadNotes();
    if (!notes.strMessage.empty()) UserMessages::Warn(this, QString::fromStdString(notes.strMessage));

    m_bHidePending = m_bStartHidden || m_app.m_settings.bHideStart;

    // The first countdown writes every field, the caption and the tip from one span.
    m_timeArrival = m_app.m_settings.Arrival();
    const CTime arrival = m_timeArrival;
    m_strArrival = m_refresh.ArrivalText(arrival);
    m_refresh.ArrivalTextDue(m_strArrival, true);
    UpdateArrivalField();
    const CTimeSpan span = arrival - CTime::GetCurrentTime(m_clock);
    for (const FieldWrite& write : m_refresh.PlanInitial(span))
        SetDlgItemInt(ControlOf(write.field), write.nValue);

    m_timer.start();
    setWindowTitle(QString::fromStdString(FormatCaption(span)));
    m_pTray->Add(icon, QStringLiteral("This is a test string"));
    m_pTray->SetTip(QString::fromStdString(FormatTrayTip(span)));

    LoadTrivia();
    ShowTrivia(TriviaMode::Pick);
    CheckArrivalAlert();
}

void CCountdownDlg::LoadTrivia() {
    const TriviaLoadResult result = ::LoadTrivia(m_app.m_strTrivPath, m_app.m_strTrivTmpPath,
                                                 *m_pTrivia, m_app.m_strPrivateTmpDir);
    for (const std::string& strMessage : result.messages)
        UserMessages::Warn(this, QString::fromStdString(strMessage));
    m_pRotation = std::make_unique<TriviaRotation>(*m_pTrivia, static_cast<ITriviaView&>(*this),
                                                   *m_pRandom, m_clock, m_app.m_settings.nTrivTime);
    m_pRotation->SetTriviaFile(m_app.m_strTrivPath);
    m_pRotation->RestartCounter();
}

void CCountdownDlg::ShowTrivia(TriviaMode mode) { m_pRotation->ShowTrivia(mode); }

void CCountdownDlg::SetQuestionText(const std::string& strText) {
    SetDlgItemText(IDC_TRIVIA_QUESTION, QString::fromStdString(strText));
}

void CCountdownDlg::SetAnswerText(const std::string& strText) {
    SetDlgItemText(IDC_TRIVIA_ANSWER, QString::fromStdString(strText));
}

void CCountdownDlg::SetDlgItemInt(int nId, std::int64_t nValue) {
    SetDlgItemText(nId, QString::number(nValue));
}

void CCountdownDlg::SetDlgItemText(int nId, const QString& strText) {
    // Laying out text nobody can see is most of what a tick costs: while the
    // window is in the tray the last text of each field waits for the show.
    if (m_bInTray) {
        m_pendingTexts[nId] = strText;
        return;
    }
    WriteControl(nId, strText);
}

void CCountdownDlg::WriteControl(int nId, const QString& strText) {
    QWidget* control = m_controls.at(nId);
    if (auto* line = qobject_cast<QLineEdit*>(control))
        line->setText(strText);
    else if (auto* text = qobject_cast<QPlainTextEdit*>(control))
        text->setPlainText(strText);
}

void CCountdownDlg::UpdateArrivalField() {
    SetDlgItemText(IDC_ARRIVAL, QString::fromStdString(m_strArrival));
}

void CCountdownDlg::SetCaptionAndTip(const CTimeSpan& span) {
    setWindowTitle(QString::fromStdString(FormatCaption(span)));
    m_pTray->SetTip(QString::fromStdString(FormatTrayTip(span)));
}

CTimeSpan CCountdownDlg::CurrentSpan() {
    m_timeArrival = m_app.m_settings.Arrival();
    return m_timeArrival - CTime::GetCurrentTime(m_clock);
}

void CCountdownDlg::RefreshDisplay(RefreshMode mode) {
    const CTimeSpan span = CurrentSpan();
    const RefreshPlan plan = m_refresh.Plan(mode, span);
    for (const FieldWrite& write : plan) SetDlgItemInt(ControlOf(write.field), write.nValue);
    m_strArrival = m_refresh.ArrivalText(m_timeArrival);
    if (m_refresh.ArrivalTextDue(m_strArrival, mode == RefreshMode::All)) UpdateArrivalField();
    if (plan.bCaption) SetCaptionAndTip(span);
}

void CCountdownDlg::OnTimer() {
    if (m_bHidePending) {
        HideToTray();
        m_bHidePending = false;
    }
    RefreshDisplay(RefreshMode::ChangedOnly);
    if (m_pRotation) m_pRotation->Tick();
    CheckArrivalAlert();
}

// One notification per arrival: when the countdown reaches zero, or when a
// start or a wake from sleep finds the arrival passed since the last look.
void CCountdownDlg::CheckArrivalAlert() {
    // m_timeArrival is the moment the refresh just built from the same fields.
    if (m_alert.CheckOnTick(m_app.m_settings, m_timeArrival, CTime::GetCurrentTime(m_clock)))
        m_pTray->Notify(QStringLiteral("You have arrived"), QString::fromStdString(m_strArrival));
}

void CCountdownDlg::HideToTray() {
    // Without a tray there would be no way back to a hidden window: minimise instead.
    if (m_pTray->IsAvailable()) {
        hide();
        m_bInTray = true;
    } else {
        showMinimized();
    }
}

void CCountdownDlg::setVisible(bool bVisible) {
    if (bVisible && m_bInTray) {
        m_bInTray = false;
        for (const auto& [nId, strText] : m_pendingTexts) WriteControl(nId, strText);
        m_pendingTexts.clear();
    }
    QDialog::setVisible(bVisible);
}

void CCountdownDlg::OnHideMe() { HideToTray(); }

void CCountdownDlg::OnShowMainScreen() {
    show();
    raise();
    activateWindow();
}

void CCountdownDlg::OnTrayMenu() { m_pTrayMenu->popup(QCursor::pos()); }

void CCountdownDlg::OnTrayExit() { done(QDialog::Accepted); }

void CCountdownDlg::OnCommitData() {
    if (m_pNotesDlg) m_pNotesDlg->SavePendingEdit();
}

void CCountdownDlg::OnEndSession() {
    OnCommitData();
    // Nested dialogs (Notes over Add a Note, a question box) end innermost
    // first as their loops unwind; none of them saves or asks anything more.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget == this || !widget->isVisible()) continue;
        if (auto* dialog = qobject_cast<QDialog*>(widget))
            dialog->done(QDialog::Rejected);
        else
            widget->close();
    }
    done(QDialog::Accepted);
}

bool CCountdownDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit) {
        OnEndSession();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CCountdownDlg::done(int nResult) {
    m_bEnded = true;
    m_pTray->Remove();
    m_timer.stop();
    QDialog::done(nResult);
    if (m_pRunLoop) m_pRunLoop->exit(nResult);
}

void CCountdownDlg::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("&About Brisaloo..."), this, &CCountdownDlg::OnAbout);
    menu.exec(event->globalPos());
}

void CCountdownDlg::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CCountdownDlg::OnSetup() {
    CSetupDlg setup(m_app.m_settings);
    if (setup.exec() != QDialog::Accepted) return;

    m_app.m_settings = setup.m_settings;
    if (!WriteProfileSettings(m_app.Profile(), m_app.m_settings))
        UserMessages::Warn(nullptr, QStringLiteral("The settings could not be saved to the "
                                                   "profile. They apply until Brisaloo ends."));
    m_timeArrival = m_app.m_settings.Arrival();
    RefreshDisplay(RefreshMode::All);
    if (m_pRotation) m_pRotation->SetInterval(m_app.m_settings.nTrivTime);
}

void CCountdownDlg::OnCopyToClipboard() {
    const CTimeSpan span = CurrentSpan();
    QApplication::clipboard()->setText(QString::fromStdString(FormatClipboard(span)));
}

void CCountdownDlg::OnNotes() {
    CNotesDlg notes(m_app);
    m_pNotesDlg = &notes;
    notes.exec();
    m_pNotesDlg = nullptr;
}

void CCountdownDlg::OnPause() {
    m_bPaused = m_pRotation ? m_pRotation->TogglePause() : !m_bPaused;
    SetDlgItemText(IDC_PAUSE_TEXT, m_bPaused ? QStringLiteral("***PAUSED***") : QString());
}
