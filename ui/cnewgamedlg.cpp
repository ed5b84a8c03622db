#include "cnewgamedlg.h"

#include "cplayer.h"
#include "dialogparts.h"
#include "gameflow.h"
#include "language.h"
#include "shogi.h"
#include "shogidoc.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

CNewGameDLG::CNewGameDLG(ShogiApp *app, const char *name) : QDialog(app), m_pApp(app)
{
    setObjectName(QLatin1String(name ? name : "CNewGameDLG"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setWindowTitle(JStr(JC_StaSettingGame));
    setFixedSize(490, 270);
    initDialog();
    Init();
    WidenForEnglish(this);
}

void CNewGameDLG::initDialog()
{
    m_gbxFirst = Place<QGroupBox>(this, "m_gbxFirst", {60, 40, 150, 70});
    m_gbxFirst->setTitle(JStr(JC_First));
    m_gbxSecond = Place<QGroupBox>(this, "m_gbxSecond", {310, 40, 150, 70});
    m_gbxSecond->setTitle(JStr(JC_Second));
    m_gbxKomaSelect = Place<QGroupBox>(this, "m_gbxKomaSelect", {90, 180, 200, 70});
    m_gbxKomaSelect->setTitle(JStr(JC_KomaSelect));
    // The buttons lie over the group boxes, as siblings, at dialog positions.
    const auto radio = [this](const char *name, const QRect &r, const char *text) {
        auto *b = Place<QRadioButton>(this, name, r);
        b->setText(JStr(text));
        b->raise();
        return b;
    };
    m_rdoFirstHuman = radio("m_rdoFirstHuman", {80, 60, 70, 20}, JC_Human);
    m_rdoFirstComputer = radio("m_rdoFirstComputer", {80, 80, 120, 20}, JC_Computer);
    m_rdoSecondHuman = radio("m_rdoSecondHuman", {330, 60, 70, 20}, JC_Human);
    m_rdoSecondComputer = radio("m_rdoSecondComputer", {330, 80, 120, 20}, JC_Computer);
    m_rdoKomaTwo = radio("m_rdoKomaTwo", {110, 200, 150, 20}, JC_KomaTwo);
    m_rdoKomaOne = radio("m_rdoKomaOne", {110, 220, 150, 20}, JC_KomaOne);
    m_lblComputerLevel = Place<QLabel>(this, "m_lblComputerLevel", {10, 140, 170, 20});
    m_lblComputerLevel->setText(JStr(JC_ComputerLevel));
    m_cbxComputerLevel = Place<QComboBox>(this, "m_cbxComputerLevel", {180, 130, 110, 30});
    for (const char *t : {JC_LevelLow, JC_LevelHigh, JC_LevelTop})
        m_cbxComputerLevel->addItem(JStr(t));
    m_lblTeai = Place<QLabel>(this, "m_lblTeai", {310, 140, 50, 20});
    m_lblTeai->setText(JStr(JC_Teai));
    m_cbxTeai = Place<QComboBox>(this, "m_cbxTeai", {370, 130, 110, 30});
    for (const char *t : {JC_Pyongsu, JC_Hyangzi, JC_Gakzi, JC_Bicazi, JC_Bicahangzi, JC_Twozi})
        m_cbxTeai->addItem(JStr(t));
    m_bntOK = Place<QPushButton>(this, "m_bntOK", {350, 190, 100, 20});
    m_bntOK->setText(JStr(JC_OK));
    m_bntOK->setDefault(true);
    m_bntCancel = Place<QPushButton>(this, "m_bntCancel", {350, 220, 100, 20});
    m_bntCancel->setText(JStr(JC_Cancel));

    LinkRadioButtons({m_rdoFirstHuman, m_rdoFirstComputer});
    LinkRadioButtons({m_rdoSecondHuman, m_rdoSecondComputer});
    LinkRadioButtons({m_rdoKomaTwo, m_rdoKomaOne});
    connect(m_rdoFirstHuman, &QRadioButton::clicked, this, &CNewGameDLG::slotRDOFirstHuman);
    connect(m_rdoSecondHuman, &QRadioButton::clicked, this, &CNewGameDLG::slotRDOSecondHuman);
    connect(m_bntOK, &QPushButton::clicked, this, &CNewGameDLG::slotOK);
    connect(m_bntCancel, &QPushButton::clicked, this, &CNewGameDLG::slotCancel);
}

void CNewGameDLG::Init()
{
    const ShogiDoc *doc = m_pApp->getDocument();
    const bool firstHuman = doc->GetFirstPlayer()->GetProperty() == 1;
    const bool secondHuman = doc->GetSecondPlayer()->GetProperty() == 1;
    m_rdoFirstHuman->setChecked(firstHuman);
    m_rdoFirstComputer->setChecked(!firstHuman);
    m_rdoSecondHuman->setChecked(secondHuman);
    m_rdoSecondComputer->setChecked(!secondHuman);
    m_rdoKomaTwo->setChecked(doc->GetStandardKoma());
    m_rdoKomaOne->setChecked(!doc->GetStandardKoma());
    m_cbxComputerLevel->setCurrentIndex(qMin<int>(doc->GetComputerLevel(), 2));
    m_cbxTeai->setCurrentIndex(qMin<int>(doc->GetTeai(), 5));
    // The handicap of a game under way is fixed.
    m_cbxTeai->setEnabled(doc->GetKiboNum() == 0);
}

// The pairs are kept by LinkRadioButtons. Human against human needs no
// level; choosing a computer again does not bring it back.
void CNewGameDLG::slotRDOFirstHuman()
{
    if (m_rdoSecondHuman->isChecked())
        m_cbxComputerLevel->setEnabled(false);
}

void CNewGameDLG::slotRDOSecondHuman()
{
    if (m_rdoFirstHuman->isChecked())
        m_cbxComputerLevel->setEnabled(false);
}

void CNewGameDLG::slotOK()
{
    ShogiDoc *doc = m_pApp->getDocument();
    doc->GetFirstPlayer()->SetProperty(m_rdoFirstHuman->isChecked() ? 1 : 2);
    doc->GetSecondPlayer()->SetProperty(m_rdoSecondHuman->isChecked() ? 1 : 2);
    doc->SetStandardKoma(m_rdoKomaTwo->isChecked());
    doc->SetComputerLevel(BYTE(m_cbxComputerLevel->currentIndex()));
    doc->SetTeai(BYTE(m_cbxTeai->currentIndex()));
    m_pApp->SetGameSetOK(true);
    EngineCalls().SetComLevel(doc->GetComputerLevel());
    accept();
}

void CNewGameDLG::slotCancel()
{
    m_pApp->SetGameSetOK(false);
    reject();
}
