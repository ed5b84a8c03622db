#include "refusedrename.h"

#include <cerrno>
#include <dlfcn.h>

namespace {
bool g_refused = false;
} // namespace

RefusedRename::RefusedRename()
{
    g_refused = true;
}

RefusedRename::~RefusedRename()
{
    g_refused = false;
}

extern "C" int rename(const char *from, const char *to)
{
    if (g_refused) {
        errno = EROFS;
        return -1;
    }
    using Rename = int (*)(const char *, const char *);
    static const auto real = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "rename"));
    return real(from, to);
}
