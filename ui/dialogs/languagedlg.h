#ifndef KORVANE_LANGUAGEDLG_H
#define KORVANE_LANGUAGEDLG_H

#include <QDialog>

class QCheckBox;
class QComboBox;
class ShogiApp;

// The language of the texts, the move notation and the piece letters.
// Deletes itself when closed.
class CLanguageDLG : public QDialog
{
    Q_OBJECT

public:
    explicit CLanguageDLG(ShogiApp *app);

public slots:
    void slotOK();

private:
    ShogiApp *m_pApp;
    QComboBox *m_cbxLanguage, *m_cbxNotation;
    QCheckBox *m_chkWesternPieces;
};

#endif
