#include "Zelkor.h"

CZelkor::CZelkor() = default;
CZelkor::~CZelkor() = default;

static CZelkor s_zelkor;
CZelkor *g_pZelkor = &s_zelkor;
