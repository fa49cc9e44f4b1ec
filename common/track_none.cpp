// track_none.cpp -- the tracks of a demo without a SYNC file: none.
#include "common/track.h"

const TRK_Data trackData[] = {{"", nullptr, 0}};
const uint32_t trackCount = 0;
const double trackRowsPerSecond = 0.0;
