// The default error display: every window procedure runs its handlers through DispatchSafely.
#pragma once

#include <string>
#include <utility>

#include "Errors.h"

// Shows the error box (application title, stop icon, OK) for one uncaught error.
void ShowDefaultError(const std::string& message);

// Runs one handler; an error it raises is shown and the program goes on. True when it completed.
template <typename Handler>
bool DispatchSafely(Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const EAbort&) {
    } catch (const std::exception& error) {
        ShowDefaultError(error.what());
    } catch (...) {
        ShowDefaultError("Unexpected error");
    }
    return false;
}
