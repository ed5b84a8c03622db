#ifndef KORVANE_DATAPATH_H
#define KORVANE_DATAPATH_H

#include <QString>

// The installed data file share/<relative> (for example
// "pixmaps/Korvane/board.bmp"): beside the program first (the build tree
// mirrors the installed layout), then under the install prefix. When it is in
// neither place, the install-prefix path is returned, so a message can name it.
QString DataFile(const QString &relative);

#endif
