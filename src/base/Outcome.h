// How an operation ended: done, refused with the text the user is shown, or failed with the system's
// reason. Both front ends show the same text: the window in a message box, the console tool on stderr.
#pragma once

#include <string>

class Outcome {
public:
    enum class Kind { Done, Refused, Failed };

    static Outcome Done() { return Outcome(Kind::Done, {}); }
    // Done, with the text that reports it to the user.
    static Outcome Done(std::string text) { return Outcome(Kind::Done, std::move(text)); }
    // Nothing was changed: the logic would not do it, for the reason worded in text.
    static Outcome Refused(std::string text) { return Outcome(Kind::Refused, std::move(text)); }
    // The system did not do what was asked; text names the step and the system's reason.
    static Outcome Failed(std::string text) { return Outcome(Kind::Failed, std::move(text)); }

    Kind kind() const { return kind_; }
    bool IsDone() const { return kind_ == Kind::Done; }
    const std::string& Text() const { return text_; }

private:
    Outcome(Kind kind, std::string text) : kind_(kind), text_(std::move(text)) {}

    Kind kind_;
    std::string text_;
};
