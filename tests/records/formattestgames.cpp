#include "formattestgames.h"

#include "docfixture.h"
#include "recordformat.h"

#include <stdexcept>

namespace {

records::GameRecord FromUsi(const char *line, GameEnding ending)
{
    records::GameRecord rec;
    records::ReadReport report;
    if (!records::ReadRecord(line, records::Format::Usi, rec, report))
        throw std::runtime_error(report.Message() + ": " + line);
    rec.ending = ending;
    for (size_t i = 0; i < rec.seconds.size(); ++i)
        rec.seconds[i] = int(i * 7 % 61);
    rec.names[0] = QString::fromUtf8(u8"羽生 A");
    return rec;
}

} // namespace

std::string UsiLine(const records::GameRecord &rec)
{
    records::GameRecord bare = rec;
    bare.ending = GameEnding::None;
    return records::WriteRecord(bare, records::Format::Usi).trimmed().toStdString();
}

std::vector<records::GameRecord> TestGames()
{
    std::vector<records::GameRecord> games;
    for (int teai = 0; teai <= records::kMaxHandicap; ++teai) {
        HostedDoc g(BYTE(teai), teai % 2 == 1);
        g.PlayRandom(unsigned(teai) + 40u, 120, true);
        games.push_back(records::RecordOf(g.doc));
    }
    const struct
    {
        const char *usi;
        GameEnding ending;
    } made[] = {
        // Edited starts, hands on both sides, either side first.
        {"position sfen 4k4/9/4P4/9/9/9/9/9/4K4 w 2Gs3p 1 moves S*5h 5i5h P*5f", GameEnding::Mate},
        {"position sfen 4k4/9/4P4/9/9/9/9/9/4K4 b 2Gs3p 1 moves G*4b 5a6a", GameEnding::Interrupt},
        // A silver promoting as it leaves the zone, one declining, a 同 capture.
        {"position sfen 4k4/9/6S2/9/9/9/9/9/4K4 b S 1 moves 3c4d+ 5a4a S*3b 4a3b", GameEnding::Repetition},
        {"position sfen 4k4/9/6S2/9/9/9/9/9/4K4 b - 1 moves 3c2b 5a4b", GameEnding::PerpetualCheck},
        // Two golds for one square, a straight move, drops beside moves.
        {"position sfen lnsgkgsnl/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1 moves 5c5d "
         "4i5h 5d5e 5g5f 5e5f 5h5g",
         GameEnding::TimeUp},
        {"position startpos moves 7g7f 3c3d 8h2b+ 3a2b B*4e 5a4b 4e3d 2b3c 3d2c+ 3c2d 2c2d",
         GameEnding::IllegalMove},
        {"position startpos moves 2g2f 8c8d", GameEnding::Impasse},
        {"position startpos moves 7g7f", GameEnding::MaxPlies},
        {"position startpos", GameEnding::None},
    };
    for (const auto &m : made)
        games.push_back(FromUsi(m.usi, m.ending));
    return games;
}
