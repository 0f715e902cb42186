#include "app/program_icon.h"

#include <QString>

// Outside any namespace, as Q_INIT_RESOURCE needs: the icons sit in a static library, whose
// resource registration the linker would otherwise leave out.
static bool RegisterIcons() {
  Q_INIT_RESOURCE(frondel);
  return true;
}

namespace frondel {

QIcon ProgramIcon() {
  [[maybe_unused]] static const bool registered = RegisterIcons();
  QIcon icon;
  for (const int size : {16, 32, 48, 256}) {
    icon.addFile(QStringLiteral(":/icons/frondel-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace frondel
