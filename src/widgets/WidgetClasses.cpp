// Registers the control classes once per instance, and the common controls the hints need.
#include "WidgetClasses.h"

#include <commctrl.h>

#include "WidgetProcs.h"
#include "WidgetWindow.h"

namespace {

struct ClassEntry {
    const char* name;
    WNDPROC procedure;
    LPCSTR cursor;
};

// No CS_DBLCLKS: a quick second click arrives as a second press, as every click counts.
void RegisterOne(HINSTANCE instance, const ClassEntry& entry) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, entry.name, &existing))
        return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = entry.procedure;
    windowClass.cbWndExtra = kWidgetExtraBytes;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, entry.cursor);
    windowClass.lpszClassName = entry.name;
    RegisterClassExA(&windowClass);
}

}  // namespace

void RegisterWidgetClasses(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const ClassEntry entries[] = {
        {kGradientButtonClass, GradientButtonProc, IDC_ARROW},
        {kSideBarClass, SideBarProc, IDC_ARROW},
        {kColorLabelClass, ColorLabelProc, IDC_ARROW},
        {kBevelFrameClass, BevelFrameProc, IDC_ARROW},
        {kLinkLabelClass, LinkLabelProc, IDC_HAND},
        {kScrollTextClass, ScrollTextProc, IDC_ARROW},
        {kSwitchCheckBoxClass, SwitchCheckBoxProc, IDC_ARROW},
        {kFlatRadioClass, FlatRadioProc, IDC_ARROW},
    };
    for (const ClassEntry& entry : entries)
        RegisterOne(instance, entry);
}
