// The engine's lines a board must understand: option declarations and
// search information. Plain parsing, no process.
#ifndef KORVANE_USIPROTOCOL_H
#define KORVANE_USIPROTOCOL_H

#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVector>

namespace usic {

// One `option name N type T [default D] [min A] [max B] [var V]...` line.
struct OptionDef
{
    enum Type
    {
        Check,
        Spin,
        Combo,
        String,
        Filename,
        Button
    };
    QString name;
    Type type = String;
    QString def;
    qint64 min = 0;
    qint64 max = 0;
    QStringList vars; // combo choices

    // value made valid for the type: a spin clamped, an unknown combo choice
    // or a check other than true/false replaced by the default.
    QString Sanitized(const QString &value) const;
};

bool ParseOption(const QString &line, OptionDef &out);
// Names and values may hold spaces; a value may be empty for strings.
QString SetOptionCommand(const OptionDef &def, const QString &value);

// What an `info` line tells; fields not given stay at their "absent" values.
struct Info
{
    int depth = -1;
    bool hasScore = false;
    bool mate = false; // score counts plies to mate, sign as the engine sees it
    int score = 0;     // centipawns or plies, from the engine's side
    qint64 nodes = -1;
    QStringList pv;
    QString text; // `info string`
};

bool ParseInfo(const QString &line, Info &out);

} // namespace usic

Q_DECLARE_METATYPE(usic::Info)

#endif
