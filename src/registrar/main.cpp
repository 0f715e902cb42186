#include "registrar/host_platform.h"
#include "registrar/registration.h"

int main() {
  kestrup::HostPlatform platform;
  try {
    kestrup::RegisterControls(platform);
  } catch (const kestrup::StepFailure& failure) {
    kestrup::ReportFailure(kestrup::Describe(failure));
    return 1;
  }
  return 0;
}
