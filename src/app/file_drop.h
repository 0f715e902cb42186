#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>

class QMimeData;

namespace frondel {

// The first dropped item that is a local file and not a folder; nothing when there is none.
std::optional<std::filesystem::path> DroppedFile(const QMimeData& data);

// Makes `target` take a dropped file and hand it to `take`; drops without one are refused.
void TakeFileDrops(QWidget* target, std::function<void(const std::filesystem::path&)> take);

}  // namespace frondel
