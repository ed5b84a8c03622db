// What every record reader promises, checked on arbitrary bytes: it never
// crashes; a refusal names its reason; an accepted game is legal, fits the
// document, and reads back the same after it is written in the same format.
#ifndef KORVANE_TESTS_READERCONTRACT_H
#define KORVANE_TESTS_READERCONTRACT_H

#include "recordformat.h"

#include <QByteArray>

#include <string>
#include <vector>

// Empty when the contract held, else how it broke.
std::string ReaderContract(const QByteArray &bytes, records::Format format);
// The formats with a text reader of their own.
const std::vector<records::Format> &FuzzedFormats();
// Seeds for a format: the test games written in it.
std::vector<QByteArray> FuzzSeeds(records::Format format);

#endif
