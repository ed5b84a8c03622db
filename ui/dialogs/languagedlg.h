#ifndef KORVANE_LANGUAGEDLG_H
#define KORVANE_LANGUAGEDLG_H

#include <QDialog>

class QCheckBox;
class QComboBox;

// The language of the texts, the move notation and the piece letters.
// OK stores the choice and reports it by Applied. Deletes itself when closed.
class CLanguageDLG : public QDialog
{
    Q_OBJECT

public:
    explicit CLanguageDLG(QWidget *parent);

signals:
    void Applied();

public slots:
    void slotOK();

private:
    QComboBox *m_cbxLanguage, *m_cbxNotation;
    QCheckBox *m_chkWesternPieces;
};

#endif
