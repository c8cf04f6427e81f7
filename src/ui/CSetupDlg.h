#pragma once

#include <QDialog>

class CCountdownApp;
class QCheckBox;
class QLineEdit;

// The Setup dialog: arrival date and time, trivia interval, hide on start-up.
// It opens with the application's settings; OK checks every field and keeps
// the dialog open on the first one that is not a whole number in its range.
class CSetupDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CSetupDlg(CCountdownApp& app, QWidget* parent = nullptr);

    void accept() override;  // OK

    int m_nDay = 0;
    int m_nHour = 0;
    int m_nMinute = 0;
    int m_nMonth = 0;
    int m_nYear = 0;
    int m_bHideStart = 0;
    int m_nTrivTime = 0;

private:
    void OnInitDialog();
    // Moves the members into the controls, or (bSave) the controls into the
    // members with validation; false when a field was refused.
    bool UpdateData(bool bSave);
    QLineEdit* Field(int nId) const;

    CCountdownApp& m_app;
    QCheckBox* m_pHideStart = nullptr;
};
