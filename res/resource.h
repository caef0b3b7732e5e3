// Resource identifiers shared by the .rc file and the windows.
#pragma once

#define IDI_TELLURIN 1
#define IDB_HEADER 101
#define IDB_LOGO 102
#define IDB_REGSTATUS 103
#define IDB_EXIT 104
