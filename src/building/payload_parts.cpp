#include "building/payload_parts.h"

#include <algorithm>

#include "platform/file_error.h"

namespace frondel {

Bytes AssemblePayload(ByteView head, ByteView texture, ByteView place_template) {
  const std::uint64_t total =
      std::uint64_t{head.size()} + texture.size() + std::uint64_t{place_template.size()};
  if (total > static_cast<std::uint64_t>(kMaxFileLength)) {
    throw Failure("the data would be 2 GiB or larger, more than the tool can handle");
  }
  Bytes joined;
  joined.reserve(static_cast<std::size_t>(total));
  for (ByteView part : {head, texture, place_template}) {
    joined.insert(joined.end(), part.begin(), part.end());
  }
  return joined;
}

Bytes ExtractTexture(ByteView payload_bytes) {
  const ByteView window = payload_bytes.size() > payload::kTextureOffset
                              ? payload_bytes.subspan(payload::kTextureOffset)
                              : ByteView();
  // Copied, then only the missing tail zeroed: one pass over four megabytes, not two.
  Bytes texture(window.begin(), window.begin() + std::min(window.size(), payload::kTextureLength));
  texture.resize(payload::kTextureLength, 0);
  return texture;
}

ByteView HeadBlockOf(ByteView payload_bytes) {
  return payload_bytes.first(std::min(payload_bytes.size(), payload::kHeadLength));
}

ByteView TemplateOf(ByteView payload_bytes) {
  if (payload_bytes.size() <= payload::kTemplateOffset) return {};
  return payload_bytes.subspan(payload::kTemplateOffset);
}

}  // namespace frondel
