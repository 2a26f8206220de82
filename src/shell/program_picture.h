#pragma once
// The program's picture: a dial gauge, drawn rather than stored. The About box and the window show
// it, and the desktop icons of the installed program are rendered from it.
#include <QPixmap>

class QPainter;

namespace orv {

// Paints the picture into the square (0, 0, size, size) of the painter's coordinates.
void PaintProgramPicture(QPainter &painter, int size);

QPixmap ProgramPicture(int size);

} // namespace orv
