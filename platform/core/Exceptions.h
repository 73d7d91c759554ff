#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace platform {

// The framework's exception family. Handlers that the program installs catch
// RuntimeException and its subclasses; anything else passes on unchanged.
class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message) : std::runtime_error(message) {}
};

// A file that could not be read or written. Besides the whole message it
// keeps the file's path and the reason apart, so that a message of
// the program's own can name them.
class IOException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
    // The message reads "<action> <path>: <reason>".
    IOException(const std::string& action, std::string path, std::string reason)
        : RuntimeException(action + " " + path + ": " + reason), m_path(std::move(path)), m_reason(std::move(reason))
    {
    }

    // Both empty when the exception was made from a message alone.
    const std::string& Path() const { return m_path; }
    const std::string& Reason() const { return m_reason; }

private:
    std::string m_path;
    std::string m_reason;
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
