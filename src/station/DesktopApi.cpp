// The production desktop table: straight to user32.
#include "DesktopApi.h"

const DesktopApi& RealDesktopApi() {
    static const DesktopApi api{FindWindowA, GetWindow, ShowWindow};
    return api;
}
