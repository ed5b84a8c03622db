#ifndef KORVANE_COTHERSETTINGDLG_H
#define KORVANE_COTHERSETTINGDLG_H

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class ShogiDoc;

// How a record file opens, the replay speed and factor, and the display and sound
// options. OK writes the document's settings and reports the window's own by
// Chosen. Deletes itself when closed.
class COtherSettingDLG : public QDialog
{
    Q_OBJECT

public:
    COtherSettingDLG(ShogiDoc *doc, int replayFactor, bool confirmResign, QWidget *parent);

signals:
    void Chosen(int replayFactor, bool confirmResign);

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
    ShogiDoc *m_doc;
    const int m_replayFactor;
    const bool m_confirmResign;
};

#endif
