#include "enginelist.h"

namespace usic {

namespace {
const char *const kTypeNames[] = {"check", "spin", "combo", "string", "filename", "button"};
} // namespace

void EngineEntry::Apply(UsiEngine &e) const
{
    for (const OptionDef &d : options)
        if (d.type != OptionDef::Button && values.contains(d.name))
            e.SetOption(d.name, values.value(d.name));
}

QStringList OptionLines(const QVector<OptionDef> &options)
{
    QStringList lines;
    for (const OptionDef &d : options) {
        QString l = QStringLiteral("option name %1 type %2").arg(d.name, QLatin1String(kTypeNames[d.type]));
        if (d.type != OptionDef::Button)
            l += QStringLiteral(" default ") + (d.def.isEmpty() ? QStringLiteral("<empty>") : d.def);
        if (d.type == OptionDef::Spin)
            l += QStringLiteral(" min %1 max %2").arg(d.min).arg(d.max);
        for (const QString &v : d.vars)
            l += QStringLiteral(" var ") + v;
        lines << l;
    }
    return lines;
}

QVector<OptionDef> OptionsFromLines(const QStringList &lines)
{
    QVector<OptionDef> out;
    for (const QString &l : lines) {
        OptionDef d;
        if (ParseOption(l, d))
            out.append(d);
    }
    return out;
}

EngineProbe::EngineProbe(const QString &path, QObject *parent) : QObject(parent)
{
    m_entry.path = path;
}

void EngineProbe::Start(const UsiEngine::Limits &limits)
{
    QString why;
    // One word: a path with spaces is still one program.
    auto link = m_entry.path.startsWith(QLatin1String("zelkor:"))
                    ? nullptr
                    : MakeLink(QLatin1Char('"') + m_entry.path + QLatin1Char('"'), why);
    if (!link) {
        if (why.isEmpty())
            why = QStringLiteral("%1: not a program").arg(m_entry.path);
        QMetaObject::invokeMethod(this, [this, why] { emit done(false, why); }, Qt::QueuedConnection);
        return;
    }
    m_engine = std::make_unique<UsiEngine>(std::move(link));
    m_engine->SetLimits(limits);
    connect(m_engine.get(), &UsiEngine::identified, this, [this] {
        m_entry.name = m_engine->Name();
        m_entry.author = m_engine->Author();
        m_entry.options = m_engine->Options();
        m_engine->Quit();
        emit done(true, QString());
    });
    connect(m_engine.get(), &UsiEngine::faulted, this, [this](UsiEngine::Fault f, const QString &d) {
        emit done(false, m_entry.path + QLatin1Char(' ') + UsiEngine::FaultText(f) +
                             (d.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(d)));
    });
    m_engine->Start();
}

} // namespace usic
