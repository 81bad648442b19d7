#pragma once
// The fixed-pitch font of the program's terminal-style texts (the output view, the
// room list, the bitvector display and, later, the coloured preview).
#include <QFont>

// The platform's fixed font at the pixel size whose character cell comes closest to
// the classic 8 x 12 terminal cell; measured once.
QFont terminalFont();
