// The tests' way into the engine: the inside of a CZelkor, and engines owned
// and used from the inside.
#ifndef KORVANE_ZELKOR_ACCESS_H
#define KORVANE_ZELKOR_ACCESS_H

#include "Zelkor.h"

#include <memory>

struct ZelkorTestAccess
{
    static ZelkorCore &Core(CZelkor &z) { return z; }
    static const ZelkorCore &Core(const CZelkor &z) { return z; }
    static CZelkor *New() { return new CZelkor; }
    struct Delete
    {
        void operator()(ZelkorCore *c) const { delete static_cast<CZelkor *>(c); }
    };
};

using EnginePtr = std::unique_ptr<ZelkorCore, ZelkorTestAccess::Delete>;

inline EnginePtr NewCore()
{
    return EnginePtr(&ZelkorTestAccess::Core(*ZelkorTestAccess::New()));
}

#endif
