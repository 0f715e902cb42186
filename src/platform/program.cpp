#include "platform/program.h"

namespace frondel {

Command OpenAddressCommand(std::string_view address) {
#ifdef _WIN32
  return {"explorer", {std::string(address)}};
#else
  return {"xdg-open", {std::string(address)}};
#endif
}

}  // namespace frondel
