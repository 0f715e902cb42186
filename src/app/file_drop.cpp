#include "app/file_drop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <utility>

#include "app/qt_text.h"

namespace frondel {
namespace {

class FileDropFilter : public QObject {
 public:
  FileDropFilter(QObject* parent, std::function<void(const std::filesystem::path&)> take)
      : QObject(parent), take_(std::move(take)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (DroppedFile(*drag->mimeData())) {
          drag->acceptProposedAction();
        } else {
          drag->ignore();
        }
        return true;
      }
      case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const auto file = DroppedFile(*drop->mimeData());
        if (!file) return true;
        drop->acceptProposedAction();
        take_(*file);
        return true;
      }
      default:
        return QObject::eventFilter(watched, event);
    }
  }

 private:
  std::function<void(const std::filesystem::path&)> take_;
};

}  // namespace

std::optional<std::filesystem::path> DroppedFile(const QMimeData& data) {
  for (const QUrl& url : data.urls()) {
    if (!url.isLocalFile()) continue;
    const QString local = url.toLocalFile();
    if (!QFileInfo(local).isDir()) return ToPath(local);
  }
  return std::nullopt;
}

void TakeFileDrops(QWidget* target, std::function<void(const std::filesystem::path&)> take) {
  target->setAcceptDrops(true);
  target->installEventFilter(new FileDropFilter(target, std::move(take)));
  // A path box would take the file's name as text; its frame takes the file instead.
  for (QLineEdit* box : target->findChildren<QLineEdit*>()) box->setAcceptDrops(false);
}

}  // namespace frondel
