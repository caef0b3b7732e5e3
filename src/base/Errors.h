// The program's error types: every error a handler may raise derives from Exception.
#pragma once

#include <stdexcept>
#include <string>

// Base of the errors that the default error display shows with their message text.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// A registry value could not be read or written, or had the wrong type.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// A file could not be created, opened, read or written.
class EFileError : public Exception {
public:
    using Exception::Exception;
};

// A list was asked for an index it does not hold.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// A COM call failed; the message carries the result code.
class EComError : public Exception {
public:
    using Exception::Exception;
};

// Ends a handler without showing anything.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

// The text the default error display shows: a full stop is added when the last character sorts
// after ".". Both front ends word an uncaught error this way.
inline std::string DefaultErrorText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}
