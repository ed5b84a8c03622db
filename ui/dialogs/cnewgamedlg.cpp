#include "cnewgamedlg.h"

#include "cenginesdlg.h"
#include "cplayer.h"
#include "dialogparts.h"
#include "gameflow.h"
#include "language.h"
#include "shogidoc.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

CNewGameDLG::CNewGameDLG(ShogiDoc *doc, const GamePlan &plan, QWidget *parent)
    : QDialog(parent), m_doc(doc), m_plan(plan)
{
    setObjectName(QStringLiteral("CNewGameDLG"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setWindowTitle(JStr(JC_StaSettingGame));
    setFixedSize(490, 400);
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
    initEngineRows();
}

namespace {
constexpr int kMostMinutes = 600;
constexpr int kMostSeconds = 3600;
constexpr int kMostPlies = 9999;
} // namespace

// Below the original rows: per player, the computer and the clock.
void CNewGameDLG::initEngineRows()
{
    const QVector<usic::EngineEntry> engines = LoadEngineList();
    const auto label = [this](const char *name, const QRect &r, const QString &text) {
        Place<QLabel>(this, name, r)->setText(text);
    };
    const auto spin = [this](const char *name, const QRect &r, int most) {
        auto *s = Place<QSpinBox>(this, name, r);
        s->setRange(0, most);
        return s;
    };
    label("m_lblMain", {150, 300, 80, 20}, JStr(JC_TimeMain));
    label("m_lblByoyomi", {240, 300, 80, 20}, JStr(JC_TimeByoyomi));
    label("m_lblInc", {330, 300, 80, 20}, JStr(JC_TimeInc));
    for (int i = 0; i < 2; i++) {
        const int y = 270 + 50 * i;
        const int ty = 320 + 25 * i;
        label(i ? "m_lblEngineSecond" : "m_lblEngineFirst", {10, y - 5 + (i ? -25 : 0), 50, 20},
              JStr(i ? JC_Second : JC_First));
        m_cbxEngine[i] = Place<QComboBox>(this, i ? "m_cbxEngineSecond" : "m_cbxEngineFirst",
                                          {60, y - 10 + (i ? -25 : 0), 200, 30});
        m_cbxEngine[i]->addItem(JStr(JC_EngineZelkor));
        for (const usic::EngineEntry &e : engines)
            m_cbxEngine[i]->addItem(e.name);
        label(i ? "m_lblClockSecond" : "m_lblClockFirst", {10, ty, 130, 20}, JStr(i ? JC_Second : JC_First));
        m_spnMainMin[i] = spin(i ? "m_spnMainSecond" : "m_spnMainFirst", {150, ty, 80, 22}, kMostMinutes);
        m_spnByoyomiSec[i] = spin(i ? "m_spnByoyomiSecond" : "m_spnByoyomiFirst", {240, ty, 80, 22}, kMostSeconds);
        m_spnIncSec[i] = spin(i ? "m_spnIncSecond" : "m_spnIncFirst", {330, ty, 80, 22}, kMostSeconds);
    }
    label("m_lblMaxPlies", {280, 270, 100, 20}, JStr(JC_MaxPlies));
    m_spnMaxPlies = spin("m_spnMaxPlies", {380, 265, 80, 22}, kMostPlies);
}

void CNewGameDLG::Init()
{
    const ShogiDoc *doc = m_doc;
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
    const GamePlan &plan = m_plan;
    for (int i = 0; i < 2; i++) {
        m_cbxEngine[i]->setCurrentIndex(plan.engine[i] + 1 < m_cbxEngine[i]->count() ? plan.engine[i] + 1 : 0);
        m_spnMainMin[i]->setValue(int(plan.time[i].mainMs / 60000));
        m_spnByoyomiSec[i]->setValue(int(plan.time[i].byoyomiMs / 1000));
        m_spnIncSec[i]->setValue(int(plan.time[i].incMs / 1000));
    }
    m_spnMaxPlies->setValue(plan.maxPlies);
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
    ShogiDoc *doc = m_doc;
    doc->GetFirstPlayer()->SetProperty(m_rdoFirstHuman->isChecked() ? 1 : 2);
    doc->GetSecondPlayer()->SetProperty(m_rdoSecondHuman->isChecked() ? 1 : 2);
    doc->SetStandardKoma(m_rdoKomaTwo->isChecked());
    doc->SetComputerLevel(BYTE(m_cbxComputerLevel->currentIndex()));
    doc->SetTeai(BYTE(m_cbxTeai->currentIndex()));
    GamePlan plan;
    for (int i = 0; i < 2; i++) {
        plan.engine[i] = m_cbxEngine[i]->currentIndex() - 1;
        plan.time[i] = {m_spnMainMin[i]->value() * 60000LL, m_spnByoyomiSec[i]->value() * 1000LL,
                        m_spnIncSec[i]->value() * 1000LL};
    }
    plan.maxPlies = m_spnMaxPlies->value();
    EngineCalls().SetComLevel(doc->GetComputerLevel());
    emit Chosen(plan);
    accept();
}

void CNewGameDLG::slotCancel()
{
    reject();
}
