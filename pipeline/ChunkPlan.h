// How the setup program is split into chunks, and how far along the display is.
#pragma once

#include "pipeline/PipelineDefs.h"

// Fills DOWN_PIECE_COUNT records: equal chunks in index order, the last one
// also taking the remainder. Sizes below 40 give zero-length chunks, which need
// no request.
void PlanPieces(UINT size, DownPiece* pieces);

// The download alone fills the display to 80 percent: received bytes against
// five quarters of the size (remainder dropped).
int DownPercent(UINT received, UINT size);
