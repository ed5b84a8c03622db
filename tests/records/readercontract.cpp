#include "readercontract.h"

#include "formattestgames.h"
#include "shogidoc.h"

std::string ReaderContract(const QByteArray &bytes, records::Format format)
{
    records::GameRecord rec;
    records::ReadReport report;
    if (!records::ReadRecord(bytes, format, rec, report))
        return report.reason.empty() ? "refused without a reason" : std::string();
    std::string err;
    if (!rec.CheckMoves(err))
        return "accepted an illegal game: " + err;
    if (rec.moves.size() > size_t(ShogiDoc::KvnMaxKiboNum) || rec.seconds.size() != rec.moves.size())
        return "accepted more moves (or times) than the document holds";
    const records::Format again = format == records::Format::Unknown ? records::Format::Usi : format;
    records::GameRecord back;
    if (!records::ReadRecord(records::WriteRecord(rec, again), again, back, report))
        return "its own output refused: " + report.Message();
    if (UsiLine(back) != UsiLine(rec))
        return "read back as another game: " + UsiLine(back) + " for " + UsiLine(rec);
    return std::string();
}

const std::vector<records::Format> &FuzzedFormats()
{
    static const std::vector<records::Format> f = {records::Format::Kif, records::Format::Ki2,
                                                   records::Format::Csa, records::Format::Usi,
                                                   records::Format::Unknown};
    return f;
}

std::vector<QByteArray> FuzzSeeds(records::Format format)
{
    std::vector<QByteArray> seeds;
    const records::Format as = format == records::Format::Unknown ? records::Format::Kif : format;
    for (const records::GameRecord &g : TestGames())
        seeds.push_back(records::WriteRecord(g, as));
    return seeds;
}
