// score_none.cpp -- the score of a demo without music: none.
#include "common/score.h"

const char scorePacked[] = "";
const uint32_t scorePackedBytes = 0;
const uint32_t scoreRowCount = 0;
const uint32_t scoreNoteCount = 0;
const uint32_t scoreChannels = 0;
const uint32_t scoreStepCount = 0;
const uint32_t scoreEndFrame = 0;
