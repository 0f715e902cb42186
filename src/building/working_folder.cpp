#include "building/working_folder.h"

#include <utility>

namespace frondel {
namespace {

constexpr std::pair<WorkFile, std::string_view> kWorkFiles[] = {
    {WorkFile::ImportTexture, "temp/dataimport/texture.dds"},
    {WorkFile::ImportBitmap, "temp/dataimport/texture.bmp"},
    {WorkFile::ImportPayload, "temp/dataimport/file.unzlib"},
    {WorkFile::ImportPacked, "temp/dataimport/file.bin"},
    {WorkFile::ExportPacked, "temp/dataexport/file.bin"},
    {WorkFile::ExportPayload, "temp/dataexport/file.unzlib"},
    {WorkFile::ExportTexture, "temp/dataexport/texture.dds"},
    {WorkFile::ExportBitmap, "temp/dataexport/texture.bmp"},
    {WorkFile::ExportPicture, "temp/dataexport/texture.png"},
    {WorkFile::HeadBlock, "temp/dataentery/TOPDATA1"},
    {WorkFile::BlocksRecord, "temp/dataentery/blocks.txt"},
    {WorkFile::Tutorial1, "temp/help/1.jpg"},
    {WorkFile::Tutorial2, "temp/help/2.jpg"},
    {WorkFile::Tutorial3, "temp/help/3.jpg"},
    {WorkFile::InstanceLock, "temp/frondel.lock"},
    {WorkFile::ChangeLock, "temp/.lock"},
};

}  // namespace

std::string_view RelativeName(WorkFile file) {
  for (const auto& [which, name] : kWorkFiles) {
    if (which == file) return name;
  }
  return {};
}

std::filesystem::path WorkingPath(const std::filesystem::path& working_root,
                                  std::string_view relative_name) {
  // operator/ adds a separator only where one is missing, so a root folder works too.
  return (working_root / std::filesystem::path(relative_name)).make_preferred();
}

std::filesystem::path WorkingPath(const std::filesystem::path& working_root, WorkFile file) {
  return WorkingPath(working_root, RelativeName(file));
}

WorkFile BitmapOf(Job job) {
  return job == Job::Import ? WorkFile::ImportBitmap : WorkFile::ExportBitmap;
}

}  // namespace frondel
