#ifndef KORVANE_CNEWGAMEDLG_H
#define KORVANE_CNEWGAMEDLG_H

#include "cengineplay.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class ShogiDoc;

// Who plays each side (a computer side: Zelkor or a registered engine), the
// computer's strength, the handicap, the clocks and the piece lettering. OK
// writes the document's settings and reports the engine plan by Chosen.
// Deletes itself when closed.
class CNewGameDLG : public QDialog
{
    Q_OBJECT

public:
    CNewGameDLG(ShogiDoc *doc, const GamePlan &plan, QWidget *parent);

signals:
    void Chosen(const GamePlan &plan);

public slots:
    void slotRDOFirstHuman();
    void slotRDOSecondHuman();
    void slotOK();
    void slotCancel();

private:
    void initDialog();
    void initEngineRows();
    void Init();

    QGroupBox *m_gbxFirst, *m_gbxSecond, *m_gbxKomaSelect;
    QRadioButton *m_rdoFirstHuman, *m_rdoFirstComputer;
    QRadioButton *m_rdoSecondHuman, *m_rdoSecondComputer;
    QRadioButton *m_rdoKomaTwo, *m_rdoKomaOne;
    QLabel *m_lblComputerLevel, *m_lblTeai;
    QComboBox *m_cbxComputerLevel, *m_cbxTeai;
    QPushButton *m_bntOK, *m_bntCancel;
    // By player (first, second): who plays a computer side, and its clock.
    QComboBox *m_cbxEngine[2];
    QSpinBox *m_spnMainMin[2], *m_spnByoyomiSec[2], *m_spnIncSec[2];
    QSpinBox *m_spnMaxPlies;
    ShogiDoc *m_doc;
    const GamePlan m_plan;
};

#endif
