#pragma once

#include <span>

#include "building/working_folder.h"

namespace frondel {

enum class ControlKind { Frame, Label, Edit, Button, List, Picture };

// A place in pixels at 96 dpi, inside a container.
struct Rect {
  int x;
  int y;
  int width;
  int height;
};

// What the user can ask of the main window, by button or menu item.
enum class UserCommand {
  None,  // a menu that only opens
  ImportPicture,
  CreateFile,
  SaveBuiltFile,
  OpenMenuFile,
  ExportDds,
  SaveExportedTexture,
  Exit,
  Help,
  Author,
  Visit,
  TakeBlocks,
  ShowBlocks,
  RestoreBlocks,
  ShowTransparency,
  RestoreBackup,
};

// One control of a window: its name, caption, container (null: the client area), place, and
// for a button what it does.
struct ControlSpec {
  ControlKind kind;
  const char* name;
  const char* caption;
  const char* container;
  Rect geometry;
  UserCommand command = UserCommand::None;
};

// A menu (UserCommand::None) or a menu item, in menu-bar order; a null parent is the bar. A
// checkable item shows a check that the presenter sets.
struct MenuSpec {
  const char* name;
  const char* caption;
  const char* parent;
  UserCommand command;
  bool checkable = false;
};

// The main window's client area, 753x451 pixels, and what is in it. A container comes before
// what it holds.
inline constexpr Rect kMainClient{0, 0, 753, 451};
std::span<const ControlSpec> MainControls();
std::span<const MenuSpec> MainMenus();
// Keyboard focus order; the first takes the focus at start.
std::span<const char* const> MainFocusOrder();

// A control that takes a dropped file, and the command whose dialog the file answers:
// UserCommand::ImportPicture or UserCommand::OpenMenuFile. Where controls overlap, the first
// row holds.
struct DropSpec {
  const char* control;
  UserCommand command;
};
std::span<const DropSpec> MainDropTargets();

inline constexpr char kHelpTitle[] = "Help - Frondel By Tavrin";

// The help window: a tutorial picture and the buttons that choose one, and "Close".
inline constexpr Rect kHelpClient{0, 0, 974, 628};
std::span<const ControlSpec> HelpControls();
std::span<const char* const> HelpFocusOrder();
// The help window's buttons that choose a tutorial, and the picture each shows.
struct TutorialSpec {
  const char* button;
  WorkFile picture;
};
std::span<const TutorialSpec> HelpTutorials();

}  // namespace frondel
