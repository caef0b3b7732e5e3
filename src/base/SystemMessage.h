// The system's wording of an error code, as every layer reports a failed system call.
#pragma once

#include <string>

// FormatMessageA's text for the code, without its line break; "System error N." when it has none.
std::string SystemMessage(unsigned long code);
