#include "dialogparts.h"

#include "language.h"

#include <QAbstractButton>
#include <QLabel>
#include <QRadioButton>
#include <algorithm>
#include <vector>

void LinkRadioButtons(std::initializer_list<QRadioButton *> buttons)
{
    const std::vector<QRadioButton *> all(buttons);
    for (QRadioButton *b : all) {
        b->setAutoExclusive(false);
        QObject::connect(b, &QRadioButton::clicked, b, [b, all] {
            b->setChecked(true);
            for (QRadioButton *other : all)
                if (other != b)
                    other->setChecked(false);
        });
    }
}

void WidenForEnglish(QWidget *dialog)
{
    if (GetTextLanguage() != TextLanguage::English)
        return;
    const QList<QWidget *> children =
        dialog->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    double factor = 1.0;
    for (QWidget *w : children)
        if ((qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w)) && w->width() > 0)
            factor = std::max(factor, double(w->sizeHint().width()) / w->width());
    if (factor <= 1.0)
        return;
    for (QWidget *w : children) {
        const QRect g = w->geometry();
        w->setGeometry(int(g.x() * factor), g.y(), int(g.width() * factor + 0.5), g.height());
    }
    dialog->setFixedSize(int(dialog->width() * factor + 0.5), dialog->height());
}
