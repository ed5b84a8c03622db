#ifndef KORVANE_QTTRANSLATIONS_H
#define KORVANE_QTTRANSLATIONS_H

#include <QString>

class QCoreApplication;

// Qt's own texts (message-box buttons, file dialogs) in the language of the
// program's texts: language is a code such as "ja". A language Qt is written
// in, or one without a catalogue, leaves Qt's texts in English. Calling again
// replaces the previous catalogue. Returns whether a catalogue is installed.
bool InstallQtTranslations(QCoreApplication &app, const QString &language);

#endif
