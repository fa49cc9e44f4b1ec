// random.cpp -- the effect's random generator.
#include "effect/random.h"

uint32_t randState = 1;

int FFX_Rand(void) {
    randState = randState * 214013u + 2531011u; // unsigned: wraps modulo 2^32
    return static_cast<int>((randState >> 16) & 0x7FFFu);
}
