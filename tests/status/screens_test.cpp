#include "StatusFixture.h"
