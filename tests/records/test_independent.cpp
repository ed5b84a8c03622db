// What Korvane writes, read back by a shogi library written by others.
#include "formattestgames.h"
#include "recordformat.h"

#include <osl/record/csaRecord.h>
#include <osl/record/kakinoki.h>
#include <osl/record/ki2.h>
#include <osl/usi.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::string OslLine(const osl::record::Record &r)
{
    std::string s = "position " + osl::usi::show(r.initialState());
    if (!r.moves().empty())
        s += " moves";
    for (const osl::Move &m : r.moves())
        s += " " + osl::usi::show(m);
    return s;
}

// The library reads handicaps and the second side to move from CSA only; its
// KIF reader takes sente to move, its KI2 reader the even game alone (and
// refuses the start line a KI2 without moves needs).
TEST(IndependentReader, ReadsWhatKorvaneWrites)
{
    QTemporaryDir dir;
    int n = 0;
    for (const records::GameRecord &game : TestGames()) {
        const std::string want = UsiLine(game);
        for (records::Format f : {records::Format::Csa, records::Format::Kif, records::Format::Ki2}) {
            if ((f == records::Format::Kif && game.start.side != usi::kSente) ||
                (f == records::Format::Ki2 &&
                 (game.handicap != records::kEvenGame || game.moves.empty())))
                continue;
            const QString path = dir.filePath(QString("g%1.").arg(++n) + records::ExtensionOf(f));
            std::string err;
            ASSERT_TRUE(records::WriteRecordFile(path, game, err)) << err;
            const std::string file = path.toStdString();
            try {
                const osl::record::Record r = f == records::Format::Csa ? osl::CsaFile(file).load()
                                              : f == records::Format::Kif
                                                  ? osl::KakinokiFile(file).load()
                                                  : osl::ki2::Ki2File(file).load();
                EXPECT_EQ(OslLine(r), want) << file;
            } catch (const std::exception &e) {
                ADD_FAILURE() << file << ": " << e.what() << "\n" << want;
            }
        }
    }
}

} // namespace
