// The program's own cursors, looked up by their resource names.
#pragma once

#include <QCursor>
#include <string_view>

namespace himlavy {

// ProgramCursor: a cursor of the program's resources.
//   name     "CROSSHAIR": a thin cross of 31 by 31 pixels with an open centre, hot spot in
//            the middle, black with a white edge so that it shows on the black sky and on the
//            silver atlas alike
//   returns  the cursor; the arrow for a name the program does not have
QCursor ProgramCursor(std::string_view name);

}  // namespace himlavy
