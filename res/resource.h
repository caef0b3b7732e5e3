// Resource identifiers shared by the .rc file and the windows.
#pragma once

#define IDI_TELLURIN 1
#define IDB_HEADER 101
#define IDB_LOGO 102
