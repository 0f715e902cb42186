#pragma once

#include <filesystem>
#include <string_view>

namespace frondel {

// Every file of the working folder below the working root. The folder name "dataentery" is
// spelled so on disk.
enum class WorkFile {
  ImportTexture,  // temp/dataimport/texture.dds: the chosen picture, or the texture it was
                  // converted to
  ImportBitmap,   // temp/dataimport/texture.bmp: its preview bitmap
  ImportPayload,  // temp/dataimport/file.unzlib: the assembled menu payload
  ImportPacked,   // temp/dataimport/file.bin: the packed menu texture file
  ExportPacked,   // temp/dataexport/file.bin: copy of the opened menu texture file
  ExportPayload,  // temp/dataexport/file.unzlib: its unpacked payload
  ExportTexture,  // temp/dataexport/texture.dds: the texture cut out of the payload
  ExportBitmap,   // temp/dataexport/texture.bmp: its preview bitmap
  ExportPicture,  // temp/dataexport/texture.png: the texture as a PNG, on its way out
  HeadBlock,      // temp/dataentery/TOPDATA1: the head block of every payload
  BlocksRecord,   // temp/dataentery/blocks.txt: where the game's blocks were taken from
  Tutorial1,      // temp/help/1.jpg: the help window's pictures, shipped read only
  Tutorial2,      // temp/help/2.jpg
  Tutorial3,      // temp/help/3.jpg
  InstanceLock,   // temp/frondel.lock: held by the one frondel that works in this folder
  ChangeLock,     // temp/.lock: held while the blocks, their record or the seeded files change
};

// The two jobs' folders; the preview and the clean-up work per job.
enum class Job { Import, Export };

// The name of a working file relative to the working root, with forward slashes.
std::string_view RelativeName(WorkFile file);

// Working root + relative name. The working root is always passed in, never read from a
// global, so that tests can run in a folder of their own.
std::filesystem::path WorkingPath(const std::filesystem::path& working_root,
                                  std::string_view relative_name);
std::filesystem::path WorkingPath(const std::filesystem::path& working_root, WorkFile file);

// A job's preview bitmap.
WorkFile BitmapOf(Job job);

}  // namespace frondel
