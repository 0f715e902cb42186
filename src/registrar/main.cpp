#include <iostream>

#include "registrar/host_platform.h"
#include "registrar/registration.h"

int main() {
  kestrup::HostPlatform platform;
  if (const auto failure = kestrup::RegisterControls(platform)) {
    std::cerr << kestrup::Describe(*failure) << '\n';
    return 1;
  }
  return 0;
}
