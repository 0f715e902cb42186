#include <algorithm>
#include <memory>
#include <optional>

#include "building/menu_format.h"
#include "building/menu_places.h"
#include "building/payload_parts.h"
#include "building/working_folder.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/dds_summary.h"
#include "cli/json.h"
#include "cli/working_root.h"
#include "platform/file_error.h"
#include "texture/texture_layout.h"

namespace frondel::cli {
namespace {

namespace fs = std::filesystem;

// The installed place templates, read on first use; a place whose file is missing is not
// installed.
class InstalledTemplates {
 public:
  const MenuPlace* Carried(ByteView place_template) {
    if (!loaded_) {
      const fs::path folder = WorkingRootInUse();
      loaded_.emplace();
      for (const MenuPlace& place : MenuPlaces()) {
        const fs::path file = folder / PathFromUtf8(place.template_file);
        loaded_->push_back(FileExists(file) ? ReadWholeFile(file) : Bytes{});
      }
    }
    for (std::size_t i = 0; i < loaded_->size(); ++i) {
      const Bytes& installed = (*loaded_)[i];
      if (!installed.empty() && std::ranges::equal(installed, place_template)) {
        return &MenuPlaces()[i];
      }
    }
    return nullptr;
  }

  // Whether `head` is the installed head block, byte for byte.
  bool IsInstalledHead(ByteView head) {
    if (!head_) {
      const fs::path file = WorkingRootInUse() / PathFromUtf8(RelativeName(WorkFile::HeadBlock));
      head_ = FileExists(file) ? ReadWholeFile(file) : Bytes{};
    }
    return !head_->empty() && std::ranges::equal(*head_, head);
  }

 private:
  std::optional<std::vector<Bytes>> loaded_;
  std::optional<Bytes> head_;
};

JsonObject TextureJson(const DdsSummary& dds) {
  return JsonObject()
      .Number("width", dds.width)
      .Number("height", dds.height)
      .String("pixel_format", dds.pixel_format)
      .Number("mipmap_count", dds.mipmap_count)
      .Bool("game_layout", dds.game_layout);
}

std::string TextureText(const DdsSummary& dds) {
  return "DDS " + std::to_string(dds.width) + "x" + std::to_string(dds.height) + " " +
         dds.pixel_format + ", " + std::to_string(dds.mipmap_count) +
         (dds.mipmap_count == 1 ? " level" : " levels") +
         (dds.game_layout ? ", the game's layout" : ", not the game's layout");
}

struct Description {
  JsonObject json;
  std::string text;
};

Description DescribeMenuFile(const Zlib& codec, InstalledTemplates& templates,
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
  if (const auto texture = DescribeDds(ExtractTexture(payload_bytes))) {
    d.json.Object("texture", TextureJson(*texture));
    d.text += "  texture: " + TextureText(*texture) + "\n";
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
  const auto texture = DescribeDds(file);
  d.json.String("file", name)
      .String("kind", texture ? "dds" : "other")
      .Number("length", std::ssize(file));
  d.text = name + ": " + std::to_string(file.size()) + " bytes, ";
  if (texture) {
    d.json.Object("texture", TextureJson(*texture));
    d.text += TextureText(*texture) + "\n";
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
};

int RunInfo(const InfoOptions& options) {
  const Zlib codec;
  InstalledTemplates templates;
  std::vector<JsonObject> objects;
  const int status = ForEachInput(options.files, [&](const std::string& input, std::size_t) {
    const fs::path path = PathFromUtf8(input);
    const Bytes file = ReadWholeFile(path);
    const auto header = ReadMenuHeader(file);
    Description d = (header && header->fixed_bytes_match) || HasExtension(path, ".bin")
                        ? DescribeMenuFile(codec, templates, input, file)
                        : DescribeOtherFile(input, file);
    if (options.json) {
      objects.push_back(std::move(d.json));
    } else {
      WriteOut(d.text);
    }
  });
  if (options.json) WriteOut(JsonArray(objects));
  return status;
}

}  // namespace

void AddInfoCommand(CLI::App& app, int& status) {
  CLI::App* info = app.add_subcommand(
      "info", "Describes menu texture files (header, stream, blocks, place) and DDS textures");
  auto options = std::make_shared<InfoOptions>();
  info->add_option("FILE", options->files, "Files to describe")->required();
  info->add_flag("--json", options->json, "One JSON array, one object per file");
  info->callback([options, &status] { status = RunInfo(*options); });
}

}  // namespace frondel::cli
