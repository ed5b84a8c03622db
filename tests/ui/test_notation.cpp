// Typed moves read and refused.
#include "cplayer.h"
#include "language.h"
#include "shogidoc.h"
#include "typedmove.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Plays each typed move on doc, failing on a refusal.
void Play(ShogiDoc &doc, const QStringList &moves)
{
    for (const QString &m : moves) {
        const TypedMoveAnswer a = ResolveTypedMove(doc, m);
        ASSERT_EQ(a.refusal, nullptr) << m.toStdString() << ": " << JStr(a.refusal).toStdString();
        doc.AddKibo(a.move.sx, a.move.sy, a.move.skoma, a.move.dx, a.move.dy, a.move.dkoma,
                    a.move.koma);
    }
}

void Start(ShogiDoc &doc, BYTE teai, bool firstUp)
{
    doc.SetTeai(teai);
    doc.SetFirstUp(firstUp);
    doc.Init();
}

// Typed squares are the record's: in a handicap game the giver, moving
// first, plays gote.
TEST(TypedMoves, HandicapSquaresAreTheRecords)
{
    ShogiDoc doc;
    Start(doc, 2, false);
    Play(doc, {"3c3d", "7g7f", "R-3b"});
    EXPECT_EQ(doc.GetKiboNum(), 3);
}

// What the typed-move field accepts and why it refuses.
TEST(TypedMoves, ReadAndRefused)
{
    const char *const Ok = nullptr;
    // A first-player pawn on 7b, unpromoted, first to move.
    const QStringList Marched = {"7g7f", "5c5d", "7f7e", "5d5e", "7e7d",
                                 "5e5f", "7d7c", "5f5g", "7c7b", "9c9d"};
    const struct
    {
        QStringList before; // USI moves played first from the even start
        const char *typed;
        const char *refusal;
        bool promotes;
    } rows[] = {
        {{}, "P-7f", Ok, false},
        {{}, "p-76", Ok, false},
        {{}, "7g7f", Ok, false},
        {{}, "hello", JC_MoveUnreadable, false},
        {{}, "7g7f=", JC_MoveUnreadable, false},
        {{}, "K*5e", JC_MoveUnreadable, false},
        {{}, "P-7e", JC_MoveNoPiece, false},
        {{}, "+B-2b", JC_MoveNoPiece, false},
        {{}, "G-5h", JC_MoveAmbiguous, false},
        {{}, "G4i-5h", Ok, false},
        {{}, "P-7f+", JC_MoveCannotPromote, false},
        {{}, "B*5e", JC_MoveNotInHand, false},
        {{"7g7f", "3c3d"}, "Bx2b", JC_MoveChoosePromotion, false},
        {{"7g7f", "3c3d"}, "Bx2b+", Ok, true},
        {{"7g7f", "3c3d"}, "8h2b", Ok, false},
        {{"7g7f", "3c3d", "8h2b+", "3a2b"}, "B*4e", Ok, false},
        {{"7g7f", "3c3d", "8h2b+", "3a2b"}, "B*2b", JC_RefuseOccupied, false},
        {Marched, "Px7a=", JC_MoveMustPromote, false},
        {Marched, "7b7a", JC_MoveMustPromote, false},
        {Marched, "Px7a", Ok, true},
        {{"7g7f", "5c5d", "5i5h", "5d5e", "5h5i", "5e5f", "5g5f", "9c9d"},
         "P*5g",
         JC_RefuseTwoPawns,
         false},
        {{"5g5f", "5c5d", "5f5e", "5d5e", "5i5h", "5e5f"}, "K-5g", JC_RefuseKingLeftInCheck, false},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.typed);
        ShogiDoc doc;
        Start(doc, 0, false);
        Play(doc, r.before);
        const int played = doc.GetKiboNum();
        const TypedMoveAnswer a = ResolveTypedMove(doc, QString::fromLatin1(r.typed));
        EXPECT_STREQ(a.refusal, r.refusal);
        if (!a.refusal) {
            EXPECT_EQ(GetKomaProperty(a.move.koma) == 2, r.promotes);
        }
        EXPECT_EQ(doc.GetKiboNum(), played) << "resolving plays nothing";
    }
}

} // namespace
