// Resource numbers, shared by the resource script and the code.
#pragma once

#define IDI_APPLICATION_ICON 30001  // lowest icon number: the one Explorer shows for the program
#define IDI_FILE_WINDOW 30002
#define IDI_ABOUT_WINDOW 30003
#define IDI_ABOUT_PICTURE 30004
#define IDC_LINK_HAND 30010
