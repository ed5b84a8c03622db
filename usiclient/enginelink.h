// The two ways an engine is reached: a separate program over its standard
// input and output, or Korvane's own engine running the protocol session of
// korvane-usi inside this process (no program to find, same thinking).
#ifndef KORVANE_ENGINELINK_H
#define KORVANE_ENGINELINK_H

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QProcess;
class CZelkor;
namespace usi {
class Session;
}

namespace usic {

class EngineLink : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void Start() = 0;                       // started() or failed()
    virtual void Write(const QByteArray &line) = 0; // one command, no newline
    virtual void Kill() = 0;                        // no more signals after it
    virtual QString Describe() const = 0;

signals:
    void started();
    void failed(const QString &why);
    void output(const QByteArray &bytes);
    void exited(bool crashed, int code);
};

class ProcessLink : public EngineLink
{
    Q_OBJECT
public:
    ProcessLink(const QString &program, const QStringList &args, QObject *parent = nullptr);
    ~ProcessLink() override;
    void Start() override;
    void Write(const QByteArray &line) override;
    void Kill() override;
    QString Describe() const override { return m_program; }

private:
    QProcess *m_process;
    QString m_program;
    QStringList m_args;
    bool m_killed = false;
};

class SessionLink : public EngineLink
{
    Q_OBJECT
public:
    explicit SessionLink(QObject *parent = nullptr);
    ~SessionLink() override;
    void Start() override;
    void Write(const QByteArray &line) override;
    void Kill() override;
    QString Describe() const override { return QStringLiteral("zelkor"); }

private:
    // Each link thinks with its own engine object, so two of them can play
    // each other in one process.
    std::unique_ptr<CZelkor> m_engine;
    std::unique_ptr<usi::Session> m_session;
};

// "zelkor:LEVEL" is the in-process engine (the level is set as its Level
// option by the caller); anything else is a command line, split as a shell
// would split plain words and quotes. Null with why set when it cannot be.
std::unique_ptr<EngineLink> MakeLink(const QString &command, QString &why);
// The level of a "zelkor:LEVEL" command, -1 for other commands.
int ZelkorLevel(const QString &command);

} // namespace usic

#endif
