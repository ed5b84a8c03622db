// The computer opponent, Zelkor: the face its callers see.
//
// Where things are (engine/):
//   Zelkor.h        this face: what the document, the USI program, the
//                   benchmarks and the soak call, and the think hooks
//   ZelkorCore.h    the inside: move and table types, the class by section
//                   (each names its source file), then its fields
//   ZelkorTables.h  constant tables and named constants (piece codes, frame,
//                   drop marker, x-ray flag, mate score, king steps)
//   ZelkorUtil.h    square and code helpers
//   side.h          Side<Com>: the one way a Com/Man twin body is written
//   Zelkor.cpp      set-up, the document's calls, the result area
//   ZelkorThink.cpp think driver and root search
//   rules.cpp       attack lists, move making, result table, legality
//   score.cpp       evaluation and exchange/profit estimates
//   scoreprep.cpp   position scores prepared once per position handed in
//   search.cpp      surface search: the best capture and its swap-off
//   searchreply.cpp reply search (SearchReply<Com>) and check handling
//   searchtumi.cpp  mate search
//   candis1.cpp .. candis4.cpp  candidate lists, recipes and generators;
//                   candis3.h holds the mechanics the strategic ones share
#ifndef KORVANE_ZELKOR_H
#define KORVANE_ZELKOR_H

#include "ZelkorCore.h"

// One object for the whole run (g_pZelkor). Everything not named here is the
// engine's own; tests reach it through the friend ZelkorTestAccess.
class CZelkor final : private ZelkorCore
{
public:
    CZelkor() = default;
    ~CZelkor() = default;

    // The game: the document and the USI program.
    using ZelkorCore::InitGame;
    using ZelkorCore::SetComLevel;
    using ZelkorCore::UpdateBoard;
    using ZelkorCore::OnFindMove;
    using ZelkorCore::GetKomaMove;
    using ZelkorCore::PackMove;

    // Think controls and hooks (ZelkorCore.h says what each does).
    using ZelkorCore::m_nFixedDepth;
    using ZelkorCore::m_bNoTimeLimit;
    using ZelkorCore::m_nFixedRandDraw;
    using ZelkorCore::m_nCompletedDepth;
    using ZelkorCore::m_nSearchNodes;
    using ZelkorCore::m_bThinkMoved;
    using ZelkorCore::m_bStopRequest;
    using ZelkorCore::m_nWallLimitMs;
    using ZelkorCore::m_pfnIterationDone;
    using ZelkorCore::m_pIterationCtx;
    using ZelkorCore::BestLine;

    // Move making and the position, for the benchmarks and the soak.
    using ZelkorCore::InitBoard;
    using ZelkorCore::CheckMoveable;
    using ZelkorCore::SearchMovablePos;
    using ZelkorCore::MoveKomaOnBoard;
    using ZelkorCore::MoveKomaOnCapt;
    using ZelkorCore::BackKomaOnBoard;
    using ZelkorCore::BackKomaToCapt;
    using ZelkorCore::m_nBoard;
    using ZelkorCore::m_nCaptByCom;
    using ZelkorCore::m_nCaptByMan;
    using ZelkorCore::m_dwBoard1;
    using ZelkorCore::m_dwBoard2;
    using ZelkorCore::m_dwDai;

private:
    friend class ZelkorCore; // hands the face to the iteration hook
    friend struct ZelkorTestAccess;
};

extern CZelkor *g_pZelkor;

#endif
