#pragma once

#include <QString>

#include <vector>

// Every command the user can start, and where each one appears. Plain data: the command table
// turns it into actions, menus and toolbars.
namespace Commands {

// The numbers stay as they are from release to release: toolbar buttons are named "command<id>",
// which is what the tests and the scenario suite find them by. A new command takes a new number;
// an old one is never reused.
enum Id : int {
    GoTo = 108,
    PathHolder = 32797,
    Up = 32799,
    Refresh = 32800,
    View = 32801,
    MoveTo = 32802,
    CopyTo = 32803,
    Delete = 32804,
    Rename = 32805,
    Launch = 32806,
    Pack = 32807,
    Unpack = 32808,
    ContextCopyTo = 32830,
    ContextMoveTo = 32831,
    LaunchA = 32841,
    LaunchC = 32842,
    OpenFolder = 32846,
    GoToSaveGameFolder = 32847,
    GoToDesktop = 32851,
    GoToComputer = 32852,
    SortByName = 32853,
    SortBySize = 32854,
    SortByTime = 32855,
    InvertSelection = 32859,
    Options = 32860,
    RenameByTemplate = 32870,
    UndoRename = 32871,
    EditClear = 57632,
    EditCopy = 57634,
    EditCut = 57635,
    EditPaste = 57637,
    SelectAll = 57642,
    About = 57664,
    Exit = 57665,
    Help = 57670,
    ToggleToolBar = 59392,
    ToggleStatusBar = 59393,
    ListView = 59410,
    DetailsView = 59411,
};

// Who registers the handler of a command.
enum class Owner {
    Shell,     // the main window and the application
    List,      // the record list
    FileOps,   // the file and archive commands
    Settings,  // the settings dialog
    Launcher,  // the game launcher
    TextField, // the address bar's text field handles it itself
    DropDown,  // a drop-down button: only its arrow acts, by opening its menu
};

struct Command {
    int id;
    QString text;     // the main menu's text ("&" marks the access letter, "\t" the key)
    QString prompt;   // status prompt; the tooltip and status bar use the part before "\n"
    QString shortcut; // portable key text, empty for none
    Owner owner;
};

// The whole table, one row per id.
const std::vector<Command>& All();
const Command* Find(int id);
// The part of a prompt shown in the status bar and as tooltip.
QString StatusPrompt(const QString& prompt);

// One line of a menu: a command (with its own text at this place, or the table's), a separator,
// or a submenu.
struct MenuEntry {
    enum class Kind { Item, Separator, Submenu };
    Kind kind = Kind::Item;
    int id = 0;
    QString text;
    std::vector<MenuEntry> children;
};

struct MenuLayout {
    QString title;
    std::vector<MenuEntry> entries;
};

std::vector<MenuLayout> MainMenus();
std::vector<MenuEntry> LaunchMenu();
std::vector<MenuEntry> ViewMenu();
std::vector<MenuEntry> ListContextMenu();
std::vector<MenuEntry> TextFieldMenu();

// Toolbar buttons left to right; 0 marks a gap. Images follow the order of the non-zero ids.
std::vector<int> MainToolBarButtons();
std::vector<int> AddressBarButtons();

} // namespace Commands
