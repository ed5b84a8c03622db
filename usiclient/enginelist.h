// The engines a player has registered: what was read from each at
// registration, and the option values chosen since. Plain data; the program
// keeps it in its configuration.
#ifndef KORVANE_ENGINELIST_H
#define KORVANE_ENGINELIST_H

#include "usiengine.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

namespace usic {

struct EngineEntry
{
    QString path; // the program (a command line of one word)
    QString name, author;
    QVector<OptionDef> options;
    QMap<QString, QString> values; // chosen values by option name; others keep their default

    QString ValueOf(const OptionDef &d) const { return values.value(d.name, d.def); }
    // Sends every chosen value (buttons are actions, never replayed).
    void Apply(UsiEngine &e) const;
};

// Option lines as kept in the configuration: one "option name ..." line each,
// read back through the same parser as the engine's own lines.
QStringList OptionLines(const QVector<OptionDef> &options);
QVector<OptionDef> OptionsFromLines(const QStringList &lines);

// Starts a program once to register it: reads its identity and options, then
// quits it. Refuses a path that is missing or not executable, and an engine
// that gives no usiok within the handshake limit.
class EngineProbe : public QObject
{
    Q_OBJECT
public:
    explicit EngineProbe(const QString &path, QObject *parent = nullptr);
    void Start(const UsiEngine::Limits &limits = UsiEngine::Limits());
    const EngineEntry &Entry() const { return m_entry; }

signals:
    void done(bool ok, const QString &why);

private:
    EngineEntry m_entry;
    std::unique_ptr<UsiEngine> m_engine;
};

} // namespace usic

#endif
