// What the startup presenter shows: the rows of the list, the count label, the users list, the focus.
#pragma once

#include <string>
#include <vector>

#include "StartupEntry.h"

// Controls the logic may give the focus to.
enum class StartupField { ApplicationName, ApplicationPath, UsersList };

class StartupView {
public:
    virtual ~StartupView() = default;
    // Replaces every row of the list with these, already in display order.
    virtual void ShowRows(std::vector<StartupEntry> rows) = 0;
    virtual void SetCountLabel(const std::string& text) = 0;
    // What the last read passed over (files it could not read), shown as a tip; empty for nothing.
    virtual void SetNotes(const std::string& text) = 0;
    // Empties the users list and fills it with these names, in this order; nothing stays selected.
    virtual void SetUsers(const std::vector<std::string>& users) = 0;
    virtual void Focus(StartupField field) = 0;
};
