#include "registrar/host_platform.h"
#include "registrar/registration.h"

int main() {
  kestrup::HostPlatform platform;
  if (const auto failure = kestrup::RegisterControls(platform)) {
    kestrup::ReportFailure(kestrup::Describe(*failure));
    return 1;
  }
  return 0;
}
