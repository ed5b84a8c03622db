// korvane-record convert IN OUT: a game from one record format to another,
// each chosen by its file's extension (the input's by content when unknown).
#include "recordformat.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: korvane-record convert IN OUT\n"
                         "  formats by extension: kvn kif kifu ki2 ki2u csa sfen usi\n");
    return 2;
}

int Refuse(const QString &file, const std::string &why)
{
    std::fprintf(stderr, "korvane-record: %s: %s\n", qPrintable(file), why.c_str());
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 || args[1] != QLatin1String("convert"))
        return Usage();
    const QString in = args[2], out = args[3];
    if (records::FormatOfExtension(out) == records::Format::Unknown)
        return Refuse(out, "unknown record extension (kvn, kif, kifu, ki2, ki2u, csa, sfen, usi)");
    if (QFileInfo(in).absoluteFilePath() == QFileInfo(out).absoluteFilePath())
        return Refuse(out, "the output would replace the input");
    records::GameRecord rec;
    records::ReadReport report;
    if (!records::ReadRecordFile(in, rec, report))
        return Refuse(in, report.Message());
    std::string err;
    if (!records::WriteRecordFile(out, rec, err))
        return Refuse(out, err);
    return 0;
}
