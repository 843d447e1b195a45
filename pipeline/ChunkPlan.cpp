#include "pipeline/ChunkPlan.h"

void PlanPieces(UINT size, DownPiece* pieces)
{
    UINT q = size / DOWN_PIECE_COUNT;
    for (int i = 0; i < DOWN_PIECE_COUNT; ++i)
        pieces[i] = DownPiece{i, i * q, q, 0, nullptr};
    pieces[DOWN_PIECE_COUNT - 1].nLength = size - (DOWN_PIECE_COUNT - 1) * q;
}

int DownPercent(UINT received, UINT size)
{
    unsigned long long whole = static_cast<unsigned long long>(size) * 10 / 8;
    if (whole == 0)
        return 0;
    return static_cast<int>(static_cast<double>(received) / static_cast<double>(whole) * 100);
}
