#include "candis_fixture.h"
