#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <span>

namespace frondel {

enum class ControlKind { Frame, Label, Edit, Button, List, Picture };

// One control of a window: its name, caption, container (null: the client area) and place in
// pixels inside the container.
struct ControlSpec {
  ControlKind kind;
  const char* name;
  const char* caption;
  const char* container;
  QRect geometry;
};

// Makes the controls in table order, so a container must come before what it holds.
void PlaceControls(QWidget* client, std::span<const ControlSpec> controls);

// Chains the keyboard focus through the named controls, in order.
void ChainFocus(QWidget* client, std::span<const char* const> order);

// Moves a window to the centre of the screen it is on.
void CentreOnScreen(QWidget* window);

// Shows a window, restored if it was minimized, in front of the others.
void BringForward(QWidget* window);

// The control of `client` named `name`.
template <typename Widget = QWidget>
Widget* ControlNamed(const QWidget* client, const char* name) {
  return client->findChild<Widget*>(QString::fromUtf8(name));
}

}  // namespace frondel
