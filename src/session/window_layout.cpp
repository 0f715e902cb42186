#include "session/window_layout.h"

namespace frondel {
namespace {

using enum ControlKind;
using enum UserCommand;

constexpr ControlSpec kMainControls[] = {
    {Frame, "GroupBox1", "Work State", nullptr, {5, 8, 745, 433}},
    {Frame, "GroupBox3", "Import && Build New One", "GroupBox1", {8, 16, 457, 225}},
    {Label, "Label2", "DDS Directory:", "GroupBox3", {8, 28, 88, 16}},
    {Edit, "Text1", "", "GroupBox3", {104, 24, 257, 25}},
    {Button, "OpenDDS_Import", "Open File", "GroupBox3", {368, 24, 81, 25}, ImportPicture},
    {Frame, "GroupBox5", "Select Place", "GroupBox3", {8, 56, 145, 161}},
    {List, "List1", "", "GroupBox5", {8, 16, 129, 108}},
    {Button, "CreateFile", "Create File", "GroupBox5", {8, 128, 129, 25}, CreateFile},
    {Frame, "GroupBox6", "Save", "GroupBox3", {160, 56, 289, 97}},
    {Edit, "Text2", "", "GroupBox6", {8, 24, 273, 25}},
    {Button, "SaveBIN", "SaveFile", "GroupBox6", {168, 56, 113, 25}, SaveBuiltFile},
    {Frame, "GroupBox4", "Open && Export DDS", "GroupBox1", {8, 248, 457, 177}},
    {Label, "Label3", "BIN Directory:", "GroupBox4", {8, 28, 82, 16}},
    {Edit, "Text3", "", "GroupBox4", {96, 24, 265, 25}},
    {Button, "Open_Bin_Export", "Open File", "GroupBox4", {368, 24, 81, 25}, OpenMenuFile},
    {Button, "ExportDDS", "Export DDS", "GroupBox4", {8, 64, 441, 33}, ExportDds},
    {Frame, "GroupBox7", "Save", "GroupBox4", {8, 104, 441, 65}},
    {Label, "Label4", "DDS Directory:", "GroupBox7", {8, 28, 89, 16}},
    {Edit, "Text4", "", "GroupBox7", {104, 24, 249, 25}},
    {Button, "Save_DDS_Export", "Save DDS", "GroupBox7", {360, 24, 73, 25}, SaveExportedTexture},
    {Frame, "GroupBox2", "Texture", "GroupBox1", {472, 16, 265, 409}},
    {Picture, "TextureShown", "", "GroupBox2", {8, 16, 249, 385}},
};

constexpr MenuSpec kMainMenus[] = {
    {"mnufile", "File", nullptr, None},
    {"mnunew", "Open DDS & Create New", "mnufile", ImportPicture},
    {"mnuexport", "Open & Export DDS", "mnufile", OpenMenuFile},
    {"mnuexit", "Exit", "mnufile", Exit},
    {"mnuhelp1", "Help", nullptr, None},
    {"mnuhelp", "Help & Support Center", "mnuhelp1", Help},
    {"mnucredits", "Credits", nullptr, None},
    {"mnuauthor", "Author", "mnucredits", Author},
    {"mnuvisit", "Visit", "mnucredits", None},
    {"mnuorvane", "Orvane", "mnuvisit", Visit},
    {"mnublocks", "Blocks", nullptr, None},
    {"mnutakeblocks", "Take Blocks From Opened File", "mnublocks", TakeBlocks},
    {"mnushowblocks", "Show Blocks", "mnublocks", ShowBlocks},
    {"mnurestoreblocks", "Restore Stand-in Blocks", "mnublocks", RestoreBlocks},
    {"mnuview", "View", nullptr, None},
    {"mnutransparency", "Show Transparency", "mnuview", ShowTransparency, true},
    {"mnubackups", "Backups", nullptr, None},
    {"mnurestorebackup", "Restore Replaced File...", "mnubackups", RestoreBackup},
};

constexpr const char* kMainFocusOrder[] = {
    "Text1", "OpenDDS_Import",  "List1",     "Text2", "SaveBIN",        "CreateFile",
    "Text3", "Open_Bin_Export", "ExportDDS", "Text4", "Save_DDS_Export"};

// A job's frame and the preview, which shows the build job's texture.
constexpr DropSpec kMainDropTargets[] = {
    {"TextureShown", UserCommand::ImportPicture},
    {"GroupBox3", UserCommand::ImportPicture},
    {"GroupBox4", UserCommand::OpenMenuFile},
};

constexpr ControlSpec kHelpControls[] = {
    {Picture, "Image1", "", nullptr, {0, 0, 761, 625}},
    {Frame, "GroupBox1", "Tutorial Selection", nullptr, {768, 16, 201, 153}},
    {Button, "PushButton1", "Tuto1", "GroupBox1", {8, 24, 185, 33}},
    {Button, "PushButton2", "Tuto2", "GroupBox1", {8, 64, 185, 33}},
    {Button, "PushButton3", "Tuto3", "GroupBox1", {8, 104, 185, 33}},
    {Button, "PushButton4", "Close", nullptr, {768, 584, 201, 33}},
};

constexpr const char* kHelpFocusOrder[] = {"PushButton1", "PushButton2", "PushButton3",
                                           "PushButton4"};

constexpr TutorialSpec kHelpTutorials[] = {
    {"PushButton1", WorkFile::Tutorial1},
    {"PushButton2", WorkFile::Tutorial2},
    {"PushButton3", WorkFile::Tutorial3},
};

}  // namespace

std::span<const ControlSpec> MainControls() { return kMainControls; }
std::span<const MenuSpec> MainMenus() { return kMainMenus; }
std::span<const char* const> MainFocusOrder() { return kMainFocusOrder; }
std::span<const DropSpec> MainDropTargets() { return kMainDropTargets; }
std::span<const ControlSpec> HelpControls() { return kHelpControls; }
std::span<const char* const> HelpFocusOrder() { return kHelpFocusOrder; }
std::span<const TutorialSpec> HelpTutorials() { return kHelpTutorials; }

}  // namespace frondel
