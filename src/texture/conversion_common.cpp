#include <string>

#include "texture/conversion.h"

namespace frondel {

std::string_view RefusalReason(ConversionStatus status) {
  static const std::string unknown =
      "it is not a picture that can be converted (pictures taken: " + std::string(kTakenKinds) +
      ")";
  switch (status) {
    case ConversionStatus::Done:
      return {};
    case ConversionStatus::UnknownKind:
      return unknown;
    case ConversionStatus::Unreadable:
      return "the picture is damaged or of a variant that cannot be read";
    case ConversionStatus::TooLarge:
      return "the picture is larger than 8192x8192 pixels";
    case ConversionStatus::NotInThisBuild:
      return "this build cannot convert pictures: it takes only a DDS of 1024x1024 pixels, "
             "32-bit B,G,R,A, 1 level";
  }
  return {};
}

}  // namespace frondel
