#pragma once
// A sheet of rows x columns pictures (a contact sheet of one clip, or
// pictures joined into one): cells in reading order, each picture fitted into
// its cell with its aspect kept on black. The cell takes the first picture's
// size. Pictures come and go as packed RGB24.
#include "mediaeng/av/AvHandles.h"

namespace mediaeng::job {

class CContactSheet {
public:
    CContactSheet(int rows, int cols) : m_rows(rows < 1 ? 1 : rows), m_cols(cols < 1 ? 1 : cols) {}

    // Adds an RGB24 picture to the next cell; false when out of memory.
    bool Add(const AVFrame* rgb);
    bool Full() const { return m_used == m_rows * m_cols; }
    bool Empty() const { return m_used == 0; }
    // The sheet so far (empty cells black); the next Add starts a new one.
    av::FramePtr Take();

private:
    bool Start(int cellWidth, int cellHeight);

    int m_rows, m_cols;
    int m_cellW = 0, m_cellH = 0;
    int m_used = 0;
    av::FramePtr m_sheet;
    av::SwsPtr m_sws;
};

}  // namespace mediaeng::job
