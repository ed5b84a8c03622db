#ifndef KORVANE_DIALOGPARTS_H
#define KORVANE_DIALOGPARTS_H

#include <QRect>
#include <QWidget>
#include <initializer_list>

class QAbstractButton;
class QRadioButton;

// Both settings dialogs lay their widgets out at fixed pixel positions.
template <class W> W *Place(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *w = new W(parent);
    w->setObjectName(QLatin1String(name));
    w->setGeometry(geometry);
    return w;
}

// Radio buttons the toolkit does not group: a click checks the button and
// unchecks its partners.
void LinkRadioButtons(std::initializer_list<QRadioButton *> buttons);

// English texts are wider than the Japanese the fixed positions were made
// for: stretches the dialog and its children sideways, keeping their order,
// until every label and button shows its whole text. Japanese is left as is.
void WidenForEnglish(QWidget *dialog);

#endif
