#ifndef KORVANE_COTHERSETTINGDLG_H
#define KORVANE_COTHERSETTINGDLG_H

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class ShogiApp;

// How a record file opens, the replay speed and factor, and the display and sound
// options. Deletes itself when closed.
class COtherSettingDLG : public QDialog
{
    Q_OBJECT

public:
    explicit COtherSettingDLG(ShogiApp *app, const char *name = nullptr);

public slots:
    void slotOK();
    void slotCancel();

private:
    void initDialog();
    void Init();

    QGroupBox *m_gbxKibo;
    QRadioButton *m_rdoOpenFirst, *m_rdoOpenLast, *m_rdoAutoReplay;
    QLabel *m_lblReplaySpeed, *m_lblReplayFactor;
    QComboBox *m_cbxReplaySpeed, *m_cbxReplayFactor;
    QCheckBox *m_chkSuView, *m_chkInformateWangSu, *m_chkDanView, *m_chkSound;
    QCheckBox *m_chkConfirmResign;
    QPushButton *m_bntOK, *m_bntCancel;
    ShogiApp *m_pApp;
};

#endif
