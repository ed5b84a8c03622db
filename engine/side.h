// The one way the engine writes a Com/Man twin: a body written once in the
// computer's view, instantiated for both sides through Side<Com>. Side<true>
// works for Com, Side<false> for Man. In Side<false>, Rel() turns a square
// into the same square seen from Com (the point reflection 170 - s) and
// Step() negates a step, so a test written for Com ("s >= 0x71", "s + 16")
// reads Rel(s) >= 0x71, s + Step(16). The named twins (GCCM_/GMCM_ and the
// ...Com/...Man pairs) stay as the entry points and call the one body.
#ifndef KORVANE_SIDE_H
#define KORVANE_SIDE_H

#include "ZelkorCore.h"

namespace zelkor {

// The side a generator works for and the engine services of that side.
template <bool Com> struct Side
{
    static int Rel(int s) { return Com ? s : 170 - s; }
    static int Step(int d) { return Com ? d : -d; }
    static int Code(int k) { return Com ? (k | kComFlag) : k; }
    static int OppCode(int k) { return Com ? k : (k | kComFlag); }
    static bool Own(int c) { return Com ? (c > kComFlag && c < kFrame) : (c > 0 && c < kComFlag); }
    static bool Opp(int c) { return Com ? (c > 0 && c < kComFlag) : (c > kComFlag && c < kFrame); }
    static bool Zone(int s) { return Rel(s) >= 0x71; }
    static constexpr int kKingUni = Com ? 2 : 1;
    static constexpr int kOppKingUni = Com ? 1 : 2;

    static int Mine(const ZelkorCore &z, int s)
    {
        return Com ? z.m_nPsbComKomas[s] : z.m_nPsbManKomas[s];
    }
    static int Theirs(const ZelkorCore &z, int s)
    {
        return Com ? z.m_nPsbManKomas[s] : z.m_nPsbComKomas[s];
    }
    static const int *MyList(const ZelkorCore &z, int s)
    {
        return Com ? z.m_nPsbComKoma[s] : z.m_nPsbManKoma[s];
    }
    static const int *TheirList(const ZelkorCore &z, int s)
    {
        return Com ? z.m_nPsbManKoma[s] : z.m_nPsbComKoma[s];
    }
    static int *Hand(ZelkorCore &z) { return Com ? z.m_nCaptByCom : z.m_nCaptByMan; }
    static int Held(const ZelkorCore &z, int k) { return Com ? z.m_nCaptByCom[k] : z.m_nCaptByMan[k]; }
    static int TheirHeld(const ZelkorCore &z, int k)
    {
        return Com ? z.m_nCaptByMan[k] : z.m_nCaptByCom[k];
    }
    static int King(const ZelkorCore &z) { return z.m_komaUni[kKingUni].nPos; }
    static int OppKing(const ZelkorCore &z) { return z.m_komaUni[kOppKingUni].nPos; }
    static bool Nihu(ZelkorCore &z, int s) { return Com ? z.CheckComNihu(s) : z.CheckManNihu(s); }
    static bool TheirNihu(ZelkorCore &z, int s) { return Com ? z.CheckManNihu(s) : z.CheckComNihu(s); }

    // The destination of a drop of kind k is allowed for this side's pieces.
    static bool DropRowOk(int k, int s) { return k > 3 || Rel(s) < (k == 3 ? 0x81 : 0x91); }

    static int ProfitUtsu(ZelkorCore &z, int code, int s)
    {
        return Com ? z.ProfitOnComUtsu(code, s) : z.ProfitOnManUtsu(code, s);
    }
    static int ProfitMove(ZelkorCore &z, int src, int dst)
    {
        return Com ? z.ProfitOnComMove(src, dst) : z.ProfitOnManMove(src, dst);
    }
    // The opponent's best immediate capture (value, square).
    static int TheirSurface(ZelkorCore &z, int *pnPos)
    {
        return Com ? z.SearchSurfaceByMan(pnPos) : z.SearchSurfaceByCom(pnPos);
    }
    static int TheirCheapest(ZelkorCore &z, int s)
    {
        return Com ? z.GetMinWeightManKoma(s) : z.GetMinWeightComKoma(s);
    }

    static int UsePointed(ZelkorCore &z, int all, int s, CANDI_MOVE *p)
    {
        return Com ? z.GCCM_UsePointedKoma(all, s, p) : z.GMCM_UsePointedKoma(all, s, p);
    }
    static int SelectUsePointed(ZelkorCore &z, int n, int s, CANDI_MOVE *p)
    {
        return Com ? z.GCCM_SelectUsePointedKoma(n, s, p) : z.GMCM_SelectUsePointedKoma(n, s, p);
    }
    static int Toru(ZelkorCore &z, int s, CANDI_MOVE *p)
    {
        return Com ? z.GCCM_ToruOnPreMoveOfEnemy(s, p) : z.GMCM_ToruOnPreMoveOfEnemy(s, p);
    }
    static int TheirToru(ZelkorCore &z, int s, CANDI_MOVE *p)
    {
        return Com ? z.GMCM_ToruOnPreMoveOfEnemy(s, p) : z.GCCM_ToruOnPreMoveOfEnemy(s, p);
    }
    static int BreakOff(ZelkorCore &z, bool all, int from, int t, CANDI_MOVE *p)
    {
        return Com ? z.GCCM_BreakOffShaKaku(all, from, t, p)
                   : z.GMCM_BreakOffShaKaku(all, from, t, p);
    }
    static int DestPointed(ZelkorCore &z, int mode, int t, CANDI_MOVE *p)
    {
        return Com ? z.GCCM_DestPointedPos(mode, t, p) : z.GMCM_DestPointedPos(mode, t, p);
    }
    static int Demand(ZelkorCore &z, int p1, int p2, int t, CANDI_MOVE *p)
    {
        return Com ? z.GCCM_DemandManKoma(p1, p2, t, p) : z.GMCM_DemandComKoma(p1, p2, t, p);
    }
    static int DemandTwo(ZelkorCore &z, CANDI_MOVE *p)
    {
        return Com ? z.GCCM_UtsuDemandTwo(p) : z.GMCM_UtsuDemandTwo(p);
    }
    static void ToruOrNaru(ZelkorCore &z, int quota, int *pn)
    {
        Com ? z.GCCM_ToruOrNaru(quota, pn) : z.GMCM_ToruOrNaru(quota, pn);
    }
    static void Threat(ZelkorCore &z, int quota, int *pn)
    {
        Com ? z.GCCM_ThreatManKoma(quota, pn) : z.GMCM_ThreatComKoma(quota, pn);
    }
    static int Attract(ZelkorCore &z, int nBase, int s)
    {
        return Com ? z.ProfitOnAttractMan(nBase, s) : z.ProfitOnAttractCom(nBase, s);
    }
};

} // namespace zelkor

#endif
