#ifndef KORVANE_GENDATA_SOUND_H
#define KORVANE_GENDATA_SOUND_H

#include <QByteArray>

// The sharp click of a piece put down on a wooden board, as a complete WAV
// file (44.1 kHz, 16-bit, mono).
QByteArray synthesisePutKoma();

#endif
