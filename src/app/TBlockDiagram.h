// The block diagram of the station shown on the "Prototype Block Diagram" page:
// a fixed picture compiled into the program (resources/BlockDiagram.svg).
#pragma once

#include <QImage>

class TBlockDiagram
{
public:
    static constexpr int Width = 1152;
    static constexpr int Height = 648;

    // The picture, 1152 by 648 pixels in 24-bit colour; throws std::runtime_error
    // when the compiled-in drawing cannot be read.
    static QImage Picture();
};
