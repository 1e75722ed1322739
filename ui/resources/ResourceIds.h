#pragma once

// Resource numbers shared by the resource script and the code.

#define IDI_VN24G 128

#define IDD_MAIN_WINDOW 102
#define IDD_SELECT_DEVICE 104
#define IDD_BATTERY_PANEL 106
#define IDD_SIGNAL_PANEL 107
#define IDD_MOUSE_PAGE 129
#define IDD_KEYBOARD_PAGE 130
#define IDD_POPUP_MENU 131
#define IDD_MESSAGE 132
#define IDD_COMBINATION 133
#define IDD_PROGRAM_LAUNCH 134
#define IDD_MACRO_EDITOR 135

#define IDC_SELECT_DEVICE_LIST 1002
#define IDC_SELECT_DEVICE_OK 1003
