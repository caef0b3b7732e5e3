// Application title storage and the caption rule.
#include "AppTitle.h"

namespace {

std::string& TitleStorage() {
    static std::string title = "Tellurin";
    return title;
}

}  // namespace

void SetApplicationTitle(const std::string& title) {
    TitleStorage() = title;
}

const std::string& ApplicationTitle() {
    return TitleStorage();
}

std::string CaptionTextFor(const std::string& fileVersion) {
    std::string caption = "Tellurin v.";
    if (!fileVersion.empty())
        caption += fileVersion.back();
    return caption;
}
