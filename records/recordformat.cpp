#include "recordformat.h"

#include "formatutil.h"
#include "shogidoc.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextCodec>

#include <sstream>

namespace records {

using detail::Fail;

namespace {

const struct
{
    const char *ext;
    Format format;
} kExtensions[] = {{"kvn", Format::Kvn},   {"kif", Format::Kif},   {"kifu", Format::Kifu},
                   {"ki2", Format::Ki2},   {"ki2u", Format::Ki2u}, {"csa", Format::Csa},
                   {"sfen", Format::Sfen}, {"usi", Format::Usi}};

QTextCodec *Cp932()
{
    return QTextCodec::codecForName("CP932");
}

bool DecodeUtf8(const QByteArray &bytes, QString &out)
{
    QTextCodec::ConverterState state;
    QByteArray b = bytes;
    if (b.startsWith("\xEF\xBB\xBF"))
        b.remove(0, 3);
    out = QTextCodec::codecForName("UTF-8")->toUnicode(b.constData(), b.size(), &state);
    return state.invalidChars == 0;
}

// The line of the first character the decoder could not read.
int LineOfBadText(const QString &text)
{
    const int at = text.indexOf(QChar(QChar::ReplacementCharacter));
    return at < 0 ? 0 : text.leftRef(at).count(QLatin1Char('\n')) + 1;
}

// CP932 formats take UTF-8 when marked by a BOM or valid as UTF-8.
bool Decode(const QByteArray &bytes, Format f, QString &text, ReadReport &report)
{
    if (bytes.contains('\0'))
        return Fail(report, 0, "binary data, not a record");
    if (DecodeUtf8(bytes, text))
        return true;
    if (IsUtf8Format(f) || f == Format::Sfen || f == Format::Usi)
        return Fail(report, LineOfBadText(text), "not valid UTF-8 text");
    QTextCodec::ConverterState state;
    text = Cp932()->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars != 0)
        return Fail(report, LineOfBadText(text), "neither UTF-8 nor CP932 text");
    return true;
}

bool LooksLikeSfenBoard(const std::string &t)
{
    return std::count(t.begin(), t.end(), '/') == 8;
}

// "position startpos|sfen ... [moves ...]", "sfen ...", or the bare fields.
bool ReadUsi(const QString &text, GameRecord &rec, ReadReport &report)
{
    const QStringList lines = detail::SplitLines(text);
    int lineNo = 0;
    QString line;
    for (int i = 0; i < lines.size(); ++i)
        if (!lines[i].trimmed().isEmpty()) {
            if (lineNo)
                return Fail(report, i + 1, "more than one line");
            lineNo = i + 1;
            line = lines[i];
        }
    if (!lineNo)
        return Fail(report, 0, "empty");
    std::istringstream in(line.toStdString());
    std::vector<std::string> t;
    for (std::string w; in >> w;)
        t.push_back(w);
    size_t i = 0;
    if (i < t.size() && t[i] == "position")
        ++i;
    if (i < t.size() && t[i] == "startpos") {
        rec.start = usi::StartPosition();
        ++i;
    } else {
        if (i < t.size() && t[i] == "sfen")
            ++i;
        if (i + 3 > t.size() || !LooksLikeSfenBoard(t[i]))
            return Fail(report, lineNo, "no position (startpos or sfen)");
        // The move number is optional in what people paste.
        const bool hasPly = i + 3 < t.size() && t[i + 3] != "moves";
        std::string err;
        if (!usi::ParseSfen(t[i], t[i + 1], t[i + 2], hasPly ? t[i + 3] : "1", rec.start, err))
            return Fail(report, lineNo, err);
        i += hasPly ? 4 : 3;
    }
    rec.handicap = HandicapOf(rec.start);
    if (i < t.size() && t[i] == "moves")
        ++i;
    else if (i < t.size())
        return Fail(report, lineNo, "unexpected '" + t[i] + "'");
    usi::Position pos = rec.start;
    for (; i < t.size(); ++i) {
        usi::Move m;
        if (!usi::ParseMove(t[i], m))
            return Fail(report, lineNo, "bad move '" + t[i] + "'");
        if (!detail::AddMove(rec, pos, m, lineNo, report))
            return false;
    }
    rec.seconds.clear();
    return true;
}

QString WriteUsi(const GameRecord &rec)
{
    const usi::Position even = usi::StartPosition();
    QString s = QStringLiteral("position ");
    if (usi::WriteSfen(rec.start) == usi::WriteSfen(even))
        s += QStringLiteral("startpos");
    else
        s += QStringLiteral("sfen ") + QString::fromStdString(usi::WriteSfen(rec.start));
    if (!rec.moves.empty()) {
        s += QStringLiteral(" moves");
        for (const usi::Move &m : rec.moves)
            s += QLatin1Char(' ') + QString::fromStdString(usi::MoveText(m));
    }
    return s + QLatin1Char('\n');
}

bool ReadKvn(const QByteArray &bytes, GameRecord &rec, ReadReport &report)
{
    ShogiDoc doc;
    if (!doc.openDocumentData(bytes))
        return Fail(report, 0, "not a playable .kvn record");
    rec = RecordOf(doc);
    return true;
}

} // namespace

// ---------------------------------------------------------------- shared

namespace detail {

QStringList SplitLines(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.split(QLatin1Char('\n'));
}

bool AddMove(GameRecord &rec, usi::Position &pos, const usi::Move &m, int line, ReadReport &report)
{
    if (rec.moves.size() >= size_t(ShogiDoc::KvnMaxKiboNum))
        return Fail(report, line,
                    "more than " + std::to_string(ShogiDoc::KvnMaxKiboNum) + " moves");
    GameRecord one;
    one.start = pos;
    one.moves = {m};
    std::string err;
    if (!one.CheckMoves(err))
        return Fail(report, line,
                    "move " + std::to_string(rec.moves.size() + 1) + " (" + usi::MoveText(m) +
                        ") is not legal");
    rec.moves.push_back(m);
    rec.seconds.push_back(0);
    pos = usi::Apply(pos, m);
    return true;
}

} // namespace detail

// ---------------------------------------------------------------- face

std::string ReadReport::Message() const
{
    return line > 0 ? "line " + std::to_string(line) + ": " + reason : reason;
}

Format FormatOfExtension(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const auto &e : kExtensions)
        if (suffix == QLatin1String(e.ext))
            return e.format;
    return Format::Unknown;
}

QString ExtensionOf(Format f)
{
    for (const auto &e : kExtensions)
        if (e.format == f)
            return QLatin1String(e.ext);
    return QString();
}

bool IsUtf8Format(Format f)
{
    return f == Format::Kifu || f == Format::Ki2u;
}

Format DetectFormat(const QByteArray &bytes)
{
    static_assert(ShogiDoc::KvnMagic == 0x01314620, "the .kvn magic as its bytes below");
    if (bytes.startsWith(QByteArray::fromHex("01314620")))
        return Format::Kvn;
    QString text;
    ReadReport ignored;
    if (!Decode(bytes, Format::Kif, text, ignored))
        return Format::Unknown;
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1String("position ")))
        return Format::Usi;
    const QString first = trimmed.section(QLatin1Char(' '), 0, 0);
    if (trimmed.startsWith(QLatin1String("sfen ")) || first.count(QLatin1Char('/')) == 8)
        return trimmed.contains(QLatin1String(" moves")) ? Format::Usi : Format::Sfen;
    static const QRegularExpression csa(QStringLiteral("^(V2|PI|P[1-9+-]|N[+-]|[+-]\\d{4}[A-Z]{2})"),
                                        QRegularExpression::MultilineOption);
    static const QRegularExpression kifMove(QStringLiteral("^\\s*\\d+\\s+\\S"),
                                            QRegularExpression::MultilineOption);
    static const QRegularExpression ki2Move(QStringLiteral("^\\s*[▲△☗☖]"),
                                            QRegularExpression::MultilineOption);
    if (kifMove.match(text).hasMatch() || text.contains(QStringLiteral("手数----")))
        return Format::Kif;
    if (ki2Move.match(text).hasMatch())
        return Format::Ki2;
    if (csa.match(text).hasMatch())
        return Format::Csa;
    // Headers alone (a game without moves) read the same as KIF or KI2.
    if (text.contains(QChar(u'：')))
        return Format::Kif;
    return Format::Unknown;
}

bool ReadRecord(const QByteArray &bytes, Format f, GameRecord &rec, ReadReport &report)
{
    report = ReadReport();
    if (bytes.size() > kMaxRecordBytes)
        return Fail(report, 0, "larger than " + std::to_string(kMaxRecordBytes) + " bytes");
    if (f == Format::Unknown)
        f = DetectFormat(bytes);
    GameRecord r;
    bool ok = false;
    if (f == Format::Kvn) {
        ok = ReadKvn(bytes, r, report);
    } else if (f == Format::Unknown) {
        return Fail(report, 0, "not a record in a known format");
    } else {
        QString text;
        if (!Decode(bytes, f, text, report))
            return false;
        switch (f) {
        case Format::Kif:
        case Format::Kifu:
            ok = detail::ReadKif(text, false, r, report);
            break;
        case Format::Ki2:
        case Format::Ki2u:
            ok = detail::ReadKif(text, true, r, report);
            break;
        case Format::Csa:
            ok = detail::ReadCsa(text, r, report);
            break;
        default:
            ok = ReadUsi(text, r, report);
            break;
        }
    }
    if (!ok)
        return false;
    r.handicap = HandicapOf(r.start);
    r.seconds.resize(r.moves.size(), 0);
    rec = r;
    return true;
}

QByteArray WriteRecord(const GameRecord &rec, Format f, unsigned *dropped)
{
    unsigned lost = kDroppedNothing;
    const bool named = !rec.names[0].isEmpty() || !rec.names[1].isEmpty();
    const bool timed = std::any_of(rec.seconds.begin(), rec.seconds.end(), [](int s) { return s > 0; });
    QByteArray out;
    switch (f) {
    case Format::Kvn: {
        ShogiDoc doc;
        std::string err;
        if (LoadIntoDoc(rec, doc, err))
            out = doc.saveDocumentData();
        lost = (named ? kDroppedNames : 0u) |
               (rec.ending != GameEnding::None && rec.ending != GameEnding::Resign ? kDroppedEnding : 0u);
        break;
    }
    case Format::Kif:
    case Format::Ki2:
        out = Cp932()->fromUnicode(detail::WriteKif(rec, f == Format::Ki2, lost));
        break;
    case Format::Kifu:
    case Format::Ki2u:
        out = detail::WriteKif(rec, f == Format::Ki2u, lost).toUtf8();
        break;
    case Format::Csa:
        out = detail::WriteCsa(rec, lost).toUtf8();
        break;
    case Format::Sfen:
    case Format::Usi:
        if (f == Format::Sfen)
            out = QByteArray(usi::WriteSfen(rec.PositionAfter(rec.moves.size())).c_str()) + '\n';
        else
            out = WriteUsi(rec).toUtf8();
        lost = (named ? kDroppedNames : 0u) | (timed ? kDroppedTimes : 0u) |
               (rec.ending != GameEnding::None ? kDroppedEnding : 0u) |
               (f == Format::Sfen && !rec.moves.empty() ? kDroppedMoves : 0u);
        break;
    case Format::Unknown:
        break;
    }
    if (dropped)
        *dropped = lost;
    return out;
}

bool ReadRecordFile(const QString &path, GameRecord &rec, ReadReport &report)
{
    report = ReadReport();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(report, 0, "cannot be read: " + file.errorString().toStdString());
    if (!file.isSequential() && file.size() > kMaxRecordBytes)
        return Fail(report, 0, "larger than " + std::to_string(kMaxRecordBytes) + " bytes");
    const QByteArray bytes = file.read(kMaxRecordBytes + 1);
    return ReadRecord(bytes, FormatOfExtension(path), rec, report);
}

bool WriteRecordFile(const QString &path, const GameRecord &rec, std::string &err, unsigned *dropped)
{
    Format f = FormatOfExtension(path);
    if (f == Format::Unknown) {
        err = "unknown record extension (kvn, kif, kifu, ki2, ki2u, csa, sfen, usi)";
        return false;
    }
    const QByteArray data = WriteRecord(rec, f, dropped);
    if (data.isEmpty()) {
        err = "the game cannot be written in this format";
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.flush() ||
        file.error() != QFileDevice::NoError) {
        err = "cannot be written: " + file.errorString().toStdString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        err = "cannot be written: " + file.errorString().toStdString();
        return false;
    }
    return true;
}

} // namespace records
