// end_notice.h -- the live program at the demo's end (its music's, or its
// LENGTH), where the clock waits: said once on stderr and in the window's
// title each time it gets there, the title put back once it leaves.
#pragma once

// Once a frame, with the seconds the frame shows.
void LIVE_NoticeEnd(float seconds);
