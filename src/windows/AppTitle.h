// The application title and the versioned caption built from the executable's file version.
#pragma once

#include <string>

// The task-bar text of the program and the title of the default error box.
void SetApplicationTitle(const std::string& title);
const std::string& ApplicationTitle();

// "Tellurin v." followed by the last character of the file version ("1.0.0.5" gives "Tellurin v.5").
std::string CaptionTextFor(const std::string& fileVersion);
