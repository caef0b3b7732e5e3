// Keeping a baseline's texts in blocks.
#include "Baseline.h"

#include <algorithm>

namespace {

constexpr size_t kBlock = size_t{1} << 20;

}  // namespace

void Baseline::Add(const Cells& row) {
    for (const std::string& text : row)
        views_.push_back(Keep(text));
}

std::string_view Baseline::Keep(const std::string& text) {
    if (text.size() > left_) {
        left_ = std::max(kBlock, text.size());
        free_ = blocks_.emplace_back(std::make_unique<char[]>(left_)).get();
    }
    std::copy(text.begin(), text.end(), free_);
    const std::string_view kept(free_, text.size());
    free_ += text.size();
    left_ -= text.size();
    return kept;
}
