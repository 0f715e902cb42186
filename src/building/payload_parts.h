#pragma once

#include <cstddef>

#include "platform/file_system.h"

namespace frondel {

// The menu payload: head block, texture, place template, joined. The texture is taken to
// start after the 48-byte head block and to be a 1024x1024 32-bit DDS with its header, so the
// template is everything after the texture's fixed window.
namespace payload {
inline constexpr std::size_t kHeadLength = 48;
inline constexpr std::size_t kTextureOffset = kHeadLength;
inline constexpr std::size_t kTextureLength = 4'194'432;
inline constexpr std::size_t kTemplateOffset = kTextureOffset + kTextureLength;
}  // namespace payload

// Head block, texture and template joined. Throws Failure when the payload would reach 2 GiB,
// which neither the file formats nor the tool can hold.
Bytes AssemblePayload(ByteView head, ByteView texture, ByteView place_template);

// The texture window of a payload: kTextureLength bytes from kTextureOffset, zero-filled
// where the payload is short.
Bytes ExtractTexture(ByteView payload_bytes);

// The first kHeadLength bytes (fewer when the payload is shorter).
ByteView HeadBlockOf(ByteView payload_bytes);

// Everything after the texture window; empty when the payload ends before it.
ByteView TemplateOf(ByteView payload_bytes);

}  // namespace frondel
