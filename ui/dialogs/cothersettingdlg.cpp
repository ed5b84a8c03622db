#include "cothersettingdlg.h"

#include "dialogparts.h"
#include "language.h"
#include "replayschedule.h"
#include "shogidoc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

COtherSettingDLG::COtherSettingDLG(ShogiDoc *doc, int replayFactor, bool confirmResign, QWidget *parent)
    : QDialog(parent), m_doc(doc), m_replayFactor(replayFactor), m_confirmResign(confirmResign)
{
    setObjectName(QStringLiteral("COtherSettingDLG"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setWindowTitle(JStr(JC_StaSettingOther));
    setFixedSize(300, 370);
    initDialog();
    Init();
    WidenForEnglish(this);
}

void COtherSettingDLG::initDialog()
{
    m_gbxKibo = Place<QGroupBox>(this, "m_gbxKibo", {40, 20, 210, 170});
    m_gbxKibo->setTitle(JStr(JC_KiboReplay));
    const auto radio = [this](const char *name, const QRect &r, const char *text) {
        auto *b = Place<QRadioButton>(this, name, r);
        b->setText(JStr(text));
        b->raise();
        return b;
    };
    m_rdoOpenFirst = radio("m_rdoOpenFirst", {90, 50, 150, 20}, JC_OpenFirst);
    m_rdoOpenLast = radio("m_rdoOpenLast", {90, 70, 150, 20}, JC_OpenLast);
    m_rdoAutoReplay = radio("m_rdoAutoReplay", {90, 90, 100, 20}, JC_AutoReplay);
    m_lblReplaySpeed = Place<QLabel>(this, "m_lblReplaySpeed", {60, 120, 80, 30});
    m_lblReplaySpeed->setText(JStr(JC_ReplaySpeed));
    m_lblReplaySpeed->raise();
    m_cbxReplaySpeed = Place<QComboBox>(this, "m_cbxReplaySpeed", {150, 120, 90, 30});
    // In the order of the speed codes kept in the options.
    for (const char *t : {JC_SpeedMostSlow, JC_SpeedSlow, JC_SpeedStandard, JC_SpeedFast,
                          JC_SpeedMostFast, JC_SpeedAsPlayed})
        m_cbxReplaySpeed->addItem(JStr(t));
    m_lblReplayFactor = Place<QLabel>(this, "m_lblReplayFactor", {60, 150, 80, 30});
    m_lblReplayFactor->setText(JStr(JC_ReplayFactor));
    m_lblReplayFactor->raise();
    m_cbxReplayFactor = Place<QComboBox>(this, "m_cbxReplayFactor", {150, 150, 90, 30});
    for (int f : ReplaySchedule::Factors)
        m_cbxReplayFactor->addItem(QString(QChar(0xd7)) + QString::number(f));
    const auto check = [this](const char *name, const QRect &r, const char *text) {
        auto *c = Place<QCheckBox>(this, name, r);
        c->setText(JStr(text));
        return c;
    };
    m_chkSuView = check("m_chkSuView", {40, 200, 160, 30}, JC_SuView);
    m_chkInformateWangSu = check("m_chkInformateWangSu", {40, 230, 130, 30}, JC_InformateWangSu);
    m_chkDanView = check("m_chkDanView", {40, 260, 130, 30}, JC_DanView);
    m_chkSound = check("m_chkSound", {40, 290, 130, 30}, JC_Sound);
    m_chkConfirmResign = check("m_chkConfirmResign", {40, 320, 160, 30}, JC_ConfirmResign);
    m_bntOK = Place<QPushButton>(this, "m_bntOK", {180, 260, 90, 20});
    m_bntOK->setText(JStr(JC_OK));
    m_bntOK->setDefault(true);
    m_bntCancel = Place<QPushButton>(this, "m_bntCancel", {180, 290, 90, 20});
    m_bntCancel->setText(JStr(JC_Cancel));

    LinkRadioButtons({m_rdoOpenFirst, m_rdoOpenLast, m_rdoAutoReplay});
    // The factor applies to the replay as played only.
    connect(m_cbxReplaySpeed, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int i) { m_cbxReplayFactor->setEnabled(i == ReplaySchedule::AsPlayedSpeed); });
    connect(m_bntOK, &QPushButton::clicked, this, &COtherSettingDLG::slotOK);
    connect(m_bntCancel, &QPushButton::clicked, this, &COtherSettingDLG::slotCancel);
}

void COtherSettingDLG::Init()
{
    const ShogiDoc *doc = m_doc;
    const BYTE mode = doc->GetKiboProperty();
    m_rdoOpenFirst->setChecked(mode == 1);
    m_rdoOpenLast->setChecked(mode == 2);
    m_rdoAutoReplay->setChecked(mode == 3);
    m_cbxReplaySpeed->setCurrentIndex(
        qMin<int>(doc->GetKiboSpeed(), ReplaySchedule::AsPlayedSpeed));
    m_cbxReplayFactor->setCurrentIndex(
        qBound(0, m_replayFactor, ReplaySchedule::FactorCount - 1));
    m_cbxReplayFactor->setEnabled(doc->GetKiboSpeed() == ReplaySchedule::AsPlayedSpeed);
    m_chkSuView->setChecked(doc->GetOSBeforeSu());
    m_chkInformateWangSu->setChecked(doc->GetOSInfoWangSu());
    m_chkDanView->setChecked(doc->GetOSDan());
    m_chkSound->setChecked(doc->GetOSSound());
    m_chkConfirmResign->setChecked(m_confirmResign);
}

void COtherSettingDLG::slotOK()
{
    ShogiDoc *doc = m_doc;
    // A mode read from a foreign configuration selects no button: keep it.
    if (m_rdoOpenFirst->isChecked())
        doc->SetKiboProperty(1);
    else if (m_rdoOpenLast->isChecked())
        doc->SetKiboProperty(2);
    else if (m_rdoAutoReplay->isChecked())
        doc->SetKiboProperty(3);
    doc->SetKiboSpeed(BYTE(m_cbxReplaySpeed->currentIndex()));
    doc->SetOSBeforeSu(m_chkSuView->isChecked());
    doc->SetOSInfoWangSu(m_chkInformateWangSu->isChecked());
    doc->SetOSDan(m_chkDanView->isChecked());
    doc->SetOSSound(m_chkSound->isChecked());
    emit Chosen(m_cbxReplayFactor->currentIndex(), m_chkConfirmResign->isChecked());
    accept();
}

void COtherSettingDLG::slotCancel()
{
    reject();
}
