#pragma once

#include "platform/file_system.h"

namespace frondel {

// What the preview may make of a DDS texture. The image library decodes whatever it is told
// is a DDS without checking it, so the header is judged here first.
enum class DdsVerdict {
  AsIs,            // the library decodes it to the right picture
  SwapRedBlue,     // stored in R,G,B(,A) byte order: right once red and blue are swapped
  NotPreviewable,  // the library would show a wrong picture or none: wrong magic or header
                   // sizes, a DX10 header, BC4 to BC7 or any other kind it cannot decode,
                   // no pixels, fewer pixel bytes than the header promises
};

// Judges a whole texture file from its header fields and its length.
DdsVerdict CheckDdsHeader(ByteView texture);

// Whether an uncompressed texture's header gives no alpha mask: its fourth byte, if it has
// one, is then no alpha, whatever a decoder makes of it. False for a file too short to say.
bool DdsStoresNoAlpha(ByteView texture);

}  // namespace frondel
