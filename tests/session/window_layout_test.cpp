// The windows' tables agree with each other: every control that a drop or a tutorial names is
// a control of its window, so that neither window looks for a control that is not there.
#include "session/window_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string_view>

namespace frondel {
namespace {

const ControlSpec* Find(std::span<const ControlSpec> controls, std::string_view name) {
  const auto row = std::ranges::find_if(
      controls, [&](const ControlSpec& control) { return control.name == name; });
  return row == controls.end() ? nullptr : &*row;
}

TEST(WindowLayout, DropsAndTutorialsNameControlsOfTheirWindow) {
  int imports = 0;
  int opens = 0;
  for (const DropSpec& target : MainDropTargets()) {
    EXPECT_NE(Find(MainControls(), target.control), nullptr) << target.control;
    imports += target.command == UserCommand::ImportPicture;
    opens += target.command == UserCommand::OpenMenuFile;
  }
  EXPECT_EQ(imports + opens, static_cast<int>(MainDropTargets().size()));
  EXPECT_GT(imports, 0);
  EXPECT_GT(opens, 0);

  for (const TutorialSpec& tutorial : HelpTutorials()) {
    const ControlSpec* button = Find(HelpControls(), tutorial.button);
    ASSERT_NE(button, nullptr) << tutorial.button;
    EXPECT_EQ(button->kind, ControlKind::Button);
  }
  EXPECT_EQ(HelpTutorials().size(), 3u);
}

}  // namespace
}  // namespace frondel
