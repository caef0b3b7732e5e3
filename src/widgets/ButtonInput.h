// The mouse and keyboard rules of a push-style control: what counts as a click, and when it looks pressed.
#pragma once

#include <windows.h>

// Tracks one control's press by mouse (captured) or by Space, and the mouse hovering over it.
struct ButtonInput {
    bool hot = false;
    bool captured = false;  // the left button went down on the control and is still held
    bool inside = false;    // while captured: the mouse is over the control
    bool spaceDown = false;

    bool Pressed() const { return (captured && inside) || spaceDown; }
};

enum class InputResult { Unhandled, Handled, Click };

// Updates input for one message; Click when the message completes a click (the caller then acts).
// Disabled controls never click. Enter clicks only when acceptEnter is set.
InputResult HandleButtonInput(HWND window,
                              ButtonInput& input,
                              UINT message,
                              WPARAM wParam,
                              LPARAM lParam,
                              bool acceptEnter);
