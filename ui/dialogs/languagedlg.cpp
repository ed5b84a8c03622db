#include "languagedlg.h"

#include "displayprefs.h"
#include "language.h"
#include "messagebox.h"

#include <KConfigGroup>
#include <KSharedConfig>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

// Laid out by the toolkit: the English texts are longer than the Japanese.
CLanguageDLG::CLanguageDLG(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CLanguageDLG"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setWindowTitle(JStr(JC_StaSettingLanguage));
    auto *form = new QFormLayout(this);
    m_cbxLanguage = new QComboBox(this);
    for (const char *t : {JC_LangDesktop, JC_LangJapanese, JC_LangEnglish})
        m_cbxLanguage->addItem(JStr(t));
    m_cbxNotation = new QComboBox(this);
    for (const char *t : {JC_NotationJapanese, JC_NotationWestern})
        m_cbxNotation->addItem(JStr(t));
    m_chkWesternPieces = new QCheckBox(JStr(JC_WesternPieces), this);
    form->addRow(JStr(JC_Language), m_cbxLanguage);
    form->addRow(JStr(JC_Notation), m_cbxNotation);
    form->addRow(m_chkWesternPieces);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(JStr(JC_OK));
    buttons->button(QDialogButtonBox::Cancel)->setText(JStr(JC_Cancel));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLanguageDLG::slotOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const DisplayPrefs &p = CurrentDisplayPrefs();
    m_cbxLanguage->setCurrentIndex(int(p.language));
    m_cbxNotation->setCurrentIndex(int(p.notation));
    m_chkWesternPieces->setChecked(p.westernPieces);
}

void CLanguageDLG::slotOK()
{
    DisplayPrefs &p = CurrentDisplayPrefs();
    const LanguageChoice before = p.language;
    p.language = LanguageChoice(m_cbxLanguage->currentIndex());
    p.notation = Notation(m_cbxNotation->currentIndex());
    p.westernPieces = m_chkWesternPieces->isChecked();
    KConfigGroup g = KSharedConfig::openConfig()->group("General Options");
    WriteDisplayPrefs(g, p);
    g.sync();
    emit Applied();
    accept();
    if (p.language != before)
        ShowBox(parentWidget(), BoxKind::Information, JC_LanguageNextStart);
}
