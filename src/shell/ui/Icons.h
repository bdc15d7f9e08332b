#pragma once

#include <QIcon>
#include <QImage>

#include <array>

// The program's icons: the style's standard ones for the tool bar and menus, and one drawn badge per
// device family for the device list, so every place has an icon and the families are told apart.
enum class TToolIcon {
    Exit,
    AccessPoint,
    Connect,
    Search,
    Settings,
    GroupSettings,
    Applications,
    Oscilloscope,
    Emulator,
    About,
    Help,
    Ranges,
    ConnectionTest,
    Mode
};

QIcon ToolIcon(TToolIcon Which);
// 0 unsupported, 1 analog input, 2 analog output, 3 discrete input, 4 discrete output and mixed.
QIcon FamilyIcon(int Family);

// The program's own icon, at the sizes a desktop's icon theme holds.
inline constexpr std::array<int, 8> kProgramIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};
// One size of it. Paints shapes only, so it needs neither fonts nor a display.
QImage ProgramIconImage(int Size);
QIcon ProgramIcon();
