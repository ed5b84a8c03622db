#include "enginelink.h"

#include "usi_session.h"

#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>

namespace usic {

namespace {
const QString kZelkorPrefix = QStringLiteral("zelkor:");
constexpr int kZelkorLevels = 3;
} // namespace

ProcessLink::ProcessLink(const QString &program, const QStringList &args, QObject *parent)
    : EngineLink(parent), m_process(new QProcess(this)), m_program(program), m_args(args)
{
    // An engine's diagnostics are not the protocol; they could also fill a pipe
    // nobody reads.
    m_process->setStandardErrorFile(QProcess::nullDevice());
    connect(m_process, &QProcess::started, this, &ProcessLink::started);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart && !m_killed)
            emit failed(m_process->errorString());
    });
    connect(m_process, &QProcess::readyReadStandardOutput, this, [this] {
        if (!m_killed)
            emit output(m_process->readAllStandardOutput());
    });
    connect(m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [this](int code, QProcess::ExitStatus st) {
                if (!m_killed)
                    emit exited(st == QProcess::CrashExit, code);
            });
}

ProcessLink::~ProcessLink()
{
    Kill();
}

void ProcessLink::Start()
{
    m_process->start(m_program, m_args, QIODevice::ReadWrite | QIODevice::Unbuffered);
}

void ProcessLink::Write(const QByteArray &line)
{
    if (m_process->state() == QProcess::Running)
        m_process->write(line + '\n');
}

void ProcessLink::Kill()
{
    m_killed = true;
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(1000); // reaps it; a kill is not refused
    }
}

SessionLink::SessionLink(QObject *parent) : EngineLink(parent)
{
}

SessionLink::~SessionLink()
{
    Kill();
}

void SessionLink::Start()
{
    m_engine = std::make_unique<CZelkor>();
    // Lines come from the thinking thread too; they reach this object through
    // its event queue, which Qt empties of them when the object goes.
    QPointer<SessionLink> self(this);
    m_session = std::make_unique<usi::Session>(*m_engine, [self](const std::string &line) {
        if (!self)
            return;
        const QByteArray bytes = QByteArray::fromStdString(line) + '\n';
        QMetaObject::invokeMethod(
            self.data(), [self, bytes] { if (self) emit self->output(bytes); }, Qt::QueuedConnection);
    });
    QMetaObject::invokeMethod(this, &SessionLink::started, Qt::QueuedConnection);
}

void SessionLink::Write(const QByteArray &line)
{
    if (!m_session)
        return;
    if (!m_session->Handle(line.toStdString())) {
        const int code = m_session->ExitCode();
        m_session.reset();
        QMetaObject::invokeMethod(
            this, [this, code] { emit exited(false, code); }, Qt::QueuedConnection);
    }
}

void SessionLink::Kill()
{
    m_session.reset(); // ends a running think
    m_engine.reset();
}

int ZelkorLevel(const QString &command)
{
    if (!command.startsWith(kZelkorPrefix))
        return -1;
    bool ok = false;
    const int level = command.mid(kZelkorPrefix.size()).toInt(&ok);
    return ok && level >= 0 && level < kZelkorLevels ? level : -1;
}

std::unique_ptr<EngineLink> MakeLink(const QString &command, QString &why)
{
    if (command.startsWith(kZelkorPrefix)) {
        if (ZelkorLevel(command) < 0) {
            why = QStringLiteral("zelkor takes a level from 0 to %1").arg(kZelkorLevels - 1);
            return nullptr;
        }
        return std::make_unique<SessionLink>();
    }
    QStringList words = QProcess::splitCommand(command);
    if (words.isEmpty()) {
        why = QStringLiteral("no engine command");
        return nullptr;
    }
    QString program = words.takeFirst();
    if (!program.contains(QLatin1Char('/'))) {
        const QString found = QStandardPaths::findExecutable(program);
        if (found.isEmpty()) {
            why = QStringLiteral("%1: not found").arg(program);
            return nullptr;
        }
        program = found;
    }
    const QFileInfo fi(program);
    if (!fi.exists() || !fi.isFile() || !fi.isExecutable()) {
        why = QStringLiteral("%1: %2").arg(program, fi.exists() ? QStringLiteral("not an executable file")
                                                                : QStringLiteral("no such file"));
        return nullptr;
    }
    return std::make_unique<ProcessLink>(program, words);
}

} // namespace usic
