// A game between engines as a KIF record (Japanese move notation), for
// korvane-match's --kif-dir.
#ifndef KORVANE_MATCH_KIFWRITER_H
#define KORVANE_MATCH_KIFWRITER_H

#include "enginegame.h"

#include <QDateTime>
#include <QString>

struct KifGame
{
    QString senteName, goteName;
    QDateTime started;
    usic::Opening opening;
    std::vector<usi::Move> moves; // the opening's included
    usic::GameResult result;
};

QString KifText(const KifGame &g);
// Written in the KIF files' usual encoding (CP932).
bool WriteKif(const QString &path, const KifGame &g, QString &err);

#endif
