#pragma once

// A rectangle of cells, inclusive, counted from 0.
struct CellRange
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const CellRange &, const CellRange &) = default;
};
