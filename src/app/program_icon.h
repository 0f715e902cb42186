#pragma once

#include <QIcon>

namespace frondel {

// The program's icon at 16, 32, 48 and 256 pixels, from the resources built into the program.
QIcon ProgramIcon();

}  // namespace frondel
