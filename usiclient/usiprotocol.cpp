#include "usiprotocol.h"

#include <QRegularExpression>

namespace usic {

namespace {

const QStringList kOptionKeys = {"name", "type", "default", "min", "max", "var"};

struct TypeName
{
    const char *text;
    OptionDef::Type type;
};
constexpr TypeName kTypes[] = {
    {"check", OptionDef::Check},   {"spin", OptionDef::Spin},         {"combo", OptionDef::Combo},
    {"string", OptionDef::String}, {"filename", OptionDef::Filename}, {"button", OptionDef::Button},
};

QStringList Words(const QString &line)
{
    return line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

} // namespace

QString OptionDef::Sanitized(const QString &value) const
{
    switch (type) {
    case Check:
        return value == QLatin1String("true") || value == QLatin1String("false") ? value : def;
    case Spin: {
        bool ok = false;
        const qint64 v = value.toLongLong(&ok);
        return ok ? QString::number(qBound(min, v, max)) : def;
    }
    case Combo:
        return vars.contains(value) ? value : def;
    case Button:
        return QString();
    case String:
    case Filename:
        break;
    }
    return value;
}

bool ParseOption(const QString &line, OptionDef &out)
{
    const QStringList w = Words(line);
    if (w.size() < 5 || w[0] != QLatin1String("option") || w[1] != QLatin1String("name"))
        return false;
    OptionDef d;
    QString typeText;
    bool haveMin = false, haveMax = false;
    // A value runs up to the next key word; names and strings may hold spaces.
    int i = 1;
    while (i < w.size()) {
        const QString key = w[i++];
        if (!kOptionKeys.contains(key))
            return false;
        QStringList parts;
        while (i < w.size() && !kOptionKeys.contains(w[i]))
            parts << w[i++];
        const QString value = parts.join(QLatin1Char(' '));
        bool ok = true;
        if (key == QLatin1String("name"))
            d.name = value;
        else if (key == QLatin1String("type"))
            typeText = value;
        else if (key == QLatin1String("default"))
            d.def = value == QLatin1String("<empty>") ? QString() : value;
        else if (key == QLatin1String("min"))
            d.min = value.toLongLong(&ok), haveMin = true;
        else if (key == QLatin1String("max"))
            d.max = value.toLongLong(&ok), haveMax = true;
        else
            d.vars << value;
        if (!ok)
            return false;
    }
    bool known = false;
    for (const TypeName &t : kTypes)
        if (typeText == QLatin1String(t.text))
            d.type = t.type, known = true;
    if (d.name.isEmpty() || !known)
        return false;
    if (d.type == OptionDef::Spin && (!haveMin || !haveMax || d.min > d.max))
        return false;
    out = d;
    return true;
}

QString SetOptionCommand(const OptionDef &def, const QString &value)
{
    QString cmd = QStringLiteral("setoption name ") + def.name;
    if (def.type != OptionDef::Button)
        cmd += QStringLiteral(" value ") + def.Sanitized(value);
    return cmd;
}

bool ParseInfo(const QString &line, Info &out)
{
    const QStringList w = Words(line);
    if (w.isEmpty() || w[0] != QLatin1String("info"))
        return false;
    Info r;
    for (int i = 1; i < w.size(); i++) {
        const QString &k = w[i];
        const bool hasNext = i + 1 < w.size();
        if (k == QLatin1String("string")) {
            r.text = w.mid(i + 1).join(QLatin1Char(' '));
            break;
        }
        if (k == QLatin1String("pv")) {
            r.pv = w.mid(i + 1);
            break;
        }
        if (k == QLatin1String("depth") && hasNext) {
            r.depth = w[++i].toInt();
        } else if (k == QLatin1String("nodes") && hasNext) {
            r.nodes = w[++i].toLongLong();
        } else if (k == QLatin1String("score") && i + 2 < w.size()) {
            const QString kind = w[++i];
            const QString v = w[++i];
            if (kind == QLatin1String("cp")) {
                bool ok = false;
                r.score = v.toInt(&ok);
                r.hasScore = ok;
                r.mate = false;
            } else if (kind == QLatin1String("mate")) {
                // "mate +" / "mate -": a mate with the plies not told.
                bool ok = false;
                const int n = v.toInt(&ok);
                r.score = ok ? n : (v.startsWith(QLatin1Char('-')) ? -1 : 1);
                r.hasScore = ok || v == QLatin1String("+") || v == QLatin1String("-");
                r.mate = r.hasScore;
            }
            if (i + 1 < w.size() && (w[i + 1] == QLatin1String("lowerbound") ||
                                     w[i + 1] == QLatin1String("upperbound")))
                i++;
        }
    }
    out = r;
    return true;
}

} // namespace usic
