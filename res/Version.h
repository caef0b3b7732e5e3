// The file and product version of both executables, kept in one place.
#pragma once

#define TELLURIN_VERSION_NUMBERS 1, 0, 0, 5
#define TELLURIN_VERSION_TEXT "1.0.0.5"
