#pragma once
// Resource ids of kestrav.exe, shared by its resource script and its windows.
#define KESTRAV_ICON 1
#define KESTRAV_ABOUT_BACKGROUND 2
