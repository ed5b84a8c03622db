#ifndef KORVANE_CNEWGAMEDLG_H
#define KORVANE_CNEWGAMEDLG_H

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class ShogiApp;

// Who plays each side, the computer's strength, the handicap and the piece
// lettering. Deletes itself when closed.
class CNewGameDLG : public QDialog
{
    Q_OBJECT

public:
    explicit CNewGameDLG(ShogiApp *app, const char *name = nullptr);

public slots:
    void slotRDOFirstHuman();
    void slotRDOSecondHuman();
    void slotOK();
    void slotCancel();

private:
    void initDialog();
    void Init();

    QGroupBox *m_gbxFirst, *m_gbxSecond, *m_gbxKomaSelect;
    QRadioButton *m_rdoFirstHuman, *m_rdoFirstComputer;
    QRadioButton *m_rdoSecondHuman, *m_rdoSecondComputer;
    QRadioButton *m_rdoKomaTwo, *m_rdoKomaOne;
    QLabel *m_lblComputerLevel, *m_lblTeai;
    QComboBox *m_cbxComputerLevel, *m_cbxTeai;
    QPushButton *m_bntOK, *m_bntCancel;
    ShogiApp *m_pApp;
};

#endif
