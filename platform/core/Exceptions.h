#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// The framework's exception family. Handlers that the program installs catch
// RuntimeException and its subclasses; anything else passes on unchanged.
class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message) : std::runtime_error(message) {}
};

class IOException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};

class JSONException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};

class RegExException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};

class NilObjectException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};

} // namespace platform
