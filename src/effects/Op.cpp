#include "effects/Op.h"

Op& Op::InitWith(int32_t, int32_t) {
    return *this;
}

void Op::DoIt(QuorelImage*) {}
