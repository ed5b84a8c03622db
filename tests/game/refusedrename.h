#ifndef KORVANE_REFUSEDRENAME_H
#define KORVANE_REFUSEDRENAME_H

// While one lives, rename() fails as on a read-only file system: the last
// step of a safe save (the temporary file over the target) is refused.
// Only in test programs that link refusedrename.cpp.
struct RefusedRename
{
    RefusedRename();
    ~RefusedRename();
    RefusedRename(const RefusedRename &) = delete;
    RefusedRename &operator=(const RefusedRename &) = delete;
};

#endif
