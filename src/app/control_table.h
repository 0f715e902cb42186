#pragma once

#include <QFont>
#include <QString>
#include <QWidget>
#include <span>

#include "session/window_layout.h"

namespace frondel {

// The labels' font: "MS Sans Serif" at 9.75 points where the platform has it (Windows);
// elsewhere a stand-in of close metrics that the set-up installs, at a size whose captions fit
// the labels as the original's do.
QFont LabelFont();

// Gives `window` and its controls the stand-in font at the size of the Windows dialog font
// where that font is missing, since the platform's default there is wider; on Windows the
// controls keep the platform's own font.
void UseControlFont(QWidget* window);

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
