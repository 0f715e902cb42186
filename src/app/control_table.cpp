#include "app/control_table.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

namespace frondel {
namespace {

#ifndef _WIN32
// Metric-compatible with the Windows sans serif; sizes in pixels, as the layout is, so that
// the captions fit at any screen resolution.
constexpr char kStandInFont[] = "Liberation Sans";
constexpr int kLabelPixels = 12;
constexpr int kControlPixels = 11;

QFont StandIn(int pixels) {
  QFont font(QString::fromUtf8(kStandInFont));
  font.setPixelSize(pixels);
  font.setWeight(QFont::Normal);
  return font;
}
#endif

QWidget* MakeControl(ControlKind kind, const QString& caption, QWidget* container) {
  switch (kind) {
    case ControlKind::Frame:
      return new QGroupBox(caption, container);
    case ControlKind::Label: {
      auto* label = new QLabel(caption, container);
      label->setFont(LabelFont());
      return label;
    }
    case ControlKind::Edit:
      return new QLineEdit(container);
    case ControlKind::Button:
      return new QPushButton(caption, container);
    case ControlKind::List: {
      auto* list = new QListWidget(container);
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      list->setSortingEnabled(false);
      // As the platform's list box: items never scroll sideways.
      list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      return list;
    }
    case ControlKind::Picture: {
      // Every picture is stretched to the control, its proportions not kept.
      auto* picture = new QLabel(container);
      picture->setScaledContents(true);
      return picture;
    }
  }
  return nullptr;
}

}  // namespace

QFont LabelFont() {
#ifdef _WIN32
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPointSizeF(9.75);
  font.setWeight(QFont::Normal);
  return font;
#else
  return StandIn(kLabelPixels);
#endif
}

void UseControlFont([[maybe_unused]] QWidget* window) {
#ifndef _WIN32
  window->setFont(StandIn(kControlPixels));
#endif
}

void PlaceControls(QWidget* client, std::span<const ControlSpec> controls) {
  for (const ControlSpec& row : controls) {
    QWidget* container = row.container ? ControlNamed(client, row.container) : client;
    QWidget* control = MakeControl(row.kind, QString::fromUtf8(row.caption), container);
    control->setObjectName(QString::fromUtf8(row.name));
    control->setGeometry(row.geometry.x, row.geometry.y, row.geometry.width, row.geometry.height);
  }
}

void ChainFocus(QWidget* client, std::span<const char* const> order) {
  QWidget* previous = nullptr;
  for (const char* name : order) {
    QWidget* control = ControlNamed(client, name);
    if (previous) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

void CentreOnScreen(QWidget* window) {
  if (const QScreen* shown_on = window->screen()) {
    window->move(shown_on->availableGeometry().center() - window->rect().center());
  }
}

void BringForward(QWidget* window) {
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace frondel
