#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>

#include "building/menu_format.h"
#include "building/menu_places.h"
#include "building/payload_parts.h"
#include "building/working_folder.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/json.h"
#include "cli/working_root.h"
#include "platform/file_error.h"
#include "texture/alpha_use.h"
#include "texture/dds_description.h"
#include "texture/dds_format.h"
#include "texture/picture.h"
#include "texture/texture_layout.h"

namespace frondel::cli {
namespace {

namespace fs = std::filesystem;

// The installed head block and place templates, read on first use by whichever input needs
// them first; a place whose file is missing is not installed.
class InstalledTemplates {
 public:
  const MenuPlace* Carried(ByteView place_template) {
    std::call_once(loaded_, [this] { Load(); });
    for (std::size_t i = 0; i < templates_.size(); ++i) {
      const Bytes& installed = templates_[i];
      if (!installed.empty() && std::ranges::equal(installed, place_template)) {
        return &MenuPlaces()[i];
      }
    }
    return nullptr;
  }

  // Whether `head` is the installed head block, byte for byte.
  bool IsInstalledHead(ByteView head) {
    std::call_once(loaded_, [this] { Load(); });
    return !head_.empty() && std::ranges::equal(head_, head);
  }

 private:
  void Load() {
    const fs::path folder = WorkingRootInUse();
    const auto read = [](const fs::path& file) {
      return FileExists(file) ? ReadWholeFile(file) : Bytes{};
    };
    for (const MenuPlace& place : MenuPlaces()) {
      templates_.push_back(read(folder / PathFromUtf8(place.template_file)));
    }
    head_ = read(folder / PathFromUtf8(RelativeName(WorkFile::HeadBlock)));
  }

  std::once_flag loaded_;
  std::vector<Bytes> templates_;
  Bytes head_;
};

// The channels from the lowest byte up ("B8G8R8A8"), a four-character code ("DXT1", '?' for a
// character that cannot be shown), or the kind and bit count when the masks are not whole
// bytes.
std::string PixelFormatName(const DdsDescription& dds) {
  const std::uint32_t flags = dds.pixel_flags;
  if (flags & dds::kPixelFourCC) {
    std::string code;
    for (const char c : dds.four_cc) code += IsShownAsIs(c) ? c : '?';
    return code;
  }
  const bool with_alpha = (flags & dds::kPixelAlphaPixels) != 0;
  if (flags & dds::kPixelRgb && WholeBytePixels(dds.bits)) {
    std::size_t used = with_alpha && dds.masks[3] != 0;
    for (std::size_t i = 0; i < 3; ++i) used += dds.masks[i] != 0;
    std::string name;
    std::size_t matched = 0;
    for (std::uint32_t byte = 0; byte < dds.bits / 8; ++byte) {
      const char channel = ChannelInByte(dds, byte, with_alpha);
      matched += channel != 'X';
      name += channel;
      name += '8';
    }
    // Every channel a whole byte of its own: otherwise the name would hide a channel.
    if (matched > 0 && matched == used) return name;
  }
  const char* kind = flags & dds::kPixelRgb         ? "RGB"
                     : flags & dds::kPixelLuminance ? "luminance"
                     : flags & dds::kPixelAlphaOnly ? "alpha"
                     : flags & dds::kPixelYuv       ? "YUV"
                                                    : "unknown";
  return std::string(kind) + " " + std::to_string(dds.bits) + "-bit";
}

JsonObject TextureJson(const DdsDescription& dds) {
  return JsonObject()
      .Number("width", dds.width)
      .Number("height", dds.height)
      .String("pixel_format", PixelFormatName(dds))
      .Number("mipmap_count", dds.levels)
      .Bool("game_layout", dds.game_layout);
}

std::string TextureText(const DdsDescription& dds) {
  return "DDS " + std::to_string(dds.width) + "x" + std::to_string(dds.height) + " " +
         PixelFormatName(dds) + ", " + std::to_string(dds.levels) +
         (dds.levels == 1 ? " level" : " levels") +
         (dds.game_layout ? ", the game's layout" : ", not the game's layout");
}

struct Description {
  JsonObject json;
  std::string text;
};

// "37.50" for 3750 hundredths of a percent.
std::string Percent(std::uint64_t basis_points) {
  const std::string hundredths = std::to_string(basis_points % 100);
  return std::to_string(basis_points / 100) + "." + (hundredths.size() < 2 ? "0" : "") +
         hundredths + "%";
}

// Whether the texture's alpha is used: the pixels decoded and counted, as the preview shows
// them. Added to `texture` in JSON, as a line of its own in text.
void DescribeAlpha(ByteView texture, JsonObject& json, std::string& text) {
  const DecodedPicture decoded = DecodePicture(texture);
  if (decoded.status != ConversionStatus::Done) {
    json.Null("alpha");
    text += "  alpha: unknown, the texture cannot be decoded\n";
    return;
  }
  const AlphaUse use = CountAlpha(decoded.picture);
  // In hundredths of a percent, rounded.
  const auto share = [&](std::uint64_t count) {
    return (count * 10000 + use.pixels / 2) / use.pixels;
  };
  const char* kind = use.kind == AlphaKind::Opaque        ? "opaque"
                     : use.kind == AlphaKind::Transparent ? "transparent"
                                                          : "mixed";
  JsonObject alpha;
  alpha.String("use", kind)
      .Number("pixels", static_cast<std::int64_t>(use.pixels))
      .Number("transparent", static_cast<std::int64_t>(use.transparent))
      .Number("partly_transparent", static_cast<std::int64_t>(use.partial))
      .Decimal("transparent_share", share(use.transparent), 4);
  json.Object("alpha", alpha);
  text += "  alpha: ";
  if (use.kind == AlphaKind::Mixed) {
    text += "mixed, " + Percent(share(use.transparent)) + " of the pixels transparent, " +
            Percent(share(use.partial)) + " partly\n";
  } else {
    text += std::string("all ") + kind + "\n";
  }
}

Description DescribeMenuFile(const StreamCodec& codec, InstalledTemplates& templates,
                             const std::string& name, ByteView file) {
  Description d;
  d.json.String("file", name).String("kind", "menu").Number("length", std::ssize(file));
  d.text = name + ": menu texture file, " + std::to_string(file.size()) + " bytes\n";
  if (const auto header = ReadMenuHeader(file)) {
    d.json.Object("header", JsonObject()
                                .Bool("fixed_bytes_match", header->fixed_bytes_match)
                                .Number("packed_length", header->packed_length)
                                .Number("payload_length", header->payload_length));
    d.text += std::string("  header: 00 01 01 \"WESYS\" ") +
              (header->fixed_bytes_match ? "as expected" : "differs") + ", packed length " +
              std::to_string(header->packed_length) + ", payload length " +
              std::to_string(header->payload_length) + "\n";
  } else {
    d.json.Null("header");
    d.text += "  header: none, the file is shorter than 16 bytes\n";
  }
  const Uncompressed unpacked = UnpackMenuBytes(codec, file);
  const ByteView payload_bytes = unpacked.bytes;
  d.json.String("status", StatusKey(unpacked.status))
      .Number("payload_length", std::ssize(payload_bytes));
  d.text += "  stream: " + std::string(StatusText(unpacked.status)) + ", " +
            std::to_string(payload_bytes.size()) + " bytes of payload\n";
  const Bytes texture_bytes = ExtractTexture(payload_bytes);
  if (const auto texture = DescribeDdsHeader(texture_bytes)) {
    JsonObject json = TextureJson(*texture);
    d.text += "  texture: " + TextureText(*texture) + "\n";
    DescribeAlpha(texture_bytes, json, d.text);
    d.json.Object("texture", json);
  } else {
    d.json.Null("texture");
    d.text += "  texture: no DDS at payload offset 48\n";
  }
  const ByteView place_template = TemplateOf(payload_bytes);
  const bool head_installed = templates.IsInstalledHead(HeadBlockOf(payload_bytes));
  d.json.Number("head_block_length", std::ssize(HeadBlockOf(payload_bytes)))
      .Number("template_length", std::ssize(place_template))
      .Bool("head_block_installed", head_installed);
  d.text += "  head block: " + std::to_string(HeadBlockOf(payload_bytes).size()) + " bytes (" +
            (head_installed ? "the installed one" : "not the installed one") +
            "), template: " + std::to_string(place_template.size()) + " bytes\n";
  if (const MenuPlace* place = templates.Carried(place_template)) {
    d.json.Object("place", JsonObject()
                               .String("list_text", place->list_text)
                               .String("template_file", TemplateName(*place)));
    d.text += "  place: " + std::string(place->list_text) + " (" +
              std::string(TemplateName(*place)) + ")\n";
  } else {
    d.json.Null("place");
    d.text += "  place: none of the installed templates\n";
  }
  return d;
}

Description DescribeOtherFile(const std::string& name, ByteView file) {
  Description d;
  const auto texture = DescribeDdsHeader(file);
  d.json.String("file", name)
      .String("kind", texture ? "dds" : "other")
      .Number("length", std::ssize(file));
  d.text = name + ": " + std::to_string(file.size()) + " bytes, ";
  if (texture) {
    JsonObject json = TextureJson(*texture);
    d.text += TextureText(*texture) + "\n";
    DescribeAlpha(file, json, d.text);
    d.json.Object("texture", json);
  } else {
    // Other pictures are named with their size, so a user sees what a build would convert.
    const std::string description = DescribeTexture(file).description;
    d.json.String("description", description);
    d.text += description + ", neither a menu texture file nor a DDS texture\n";
  }
  return d;
}

struct InfoOptions {
  std::vector<std::string> files;
  bool json = false;
  BatchOptions batch;
};

int RunInfo(const InfoOptions& options) {
  const StreamCodec codec;
  InstalledTemplates templates;
  // One slot per input, so that the array keeps the inputs' order; a failed input has none.
  std::vector<std::optional<JsonObject>> objects(options.files.size());
  const int status = ForEachInput(options.files, options.batch, [&](const BatchInput& input) {
    const fs::path path = PathFromUtf8(input.name);
    const Bytes file = ReadWholeFile(path);
    const auto header = ReadMenuHeader(file);
    Description d = (header && header->fixed_bytes_match) || HasExtension(path, ".bin")
                        ? DescribeMenuFile(codec, templates, input.name, file)
                        : DescribeOtherFile(input.name, file);
    if (options.json) {
      objects[input.index] = std::move(d.json);
    } else {
      input.lines.Out(d.text);
    }
    return InputEnd::Done;
  });
  if (options.json && (status == kDone || status == kFailed)) {
    std::vector<JsonObject> described;
    for (std::optional<JsonObject>& object : objects) {
      if (object) described.push_back(std::move(*object));
    }
    WriteOut(JsonArray(described));
  }
  return status;
}

}  // namespace

Subcommands AddInfoCommand(CLI::App& app) {
  CLI::App* info = app.add_subcommand(
      "info",
      "Describes menu texture files (header, stream, blocks, place) and DDS textures (layout, "
      "alpha)");
  auto options = std::make_shared<InfoOptions>();
  info->add_option("FILE", options->files, "Files to describe")->required();
  info->add_flag("--json", options->json, "One JSON array, one object per file");
  AddBatchOptions(*info, options->batch);
  return {{info, [options] { return RunInfo(*options); }}};
}

}  // namespace frondel::cli
