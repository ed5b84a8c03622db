#include "dialogparts.h"

#include <QRadioButton>
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
