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
    IOException(const std::string& action, const std::string& path, const std::string& reason)
        : IOException(Message{action + " " + path + ": " + reason}, path, reason)
    {
    }

    // Both empty when the exception was made from a message alone.
    const std::string& Path() const { return m_path; }
    const std::string& Reason() const { return m_reason; }

protected:
    struct Message {
        std::string text;
    };
    IOException(Message message, std::string path, std::string reason)
        : RuntimeException(message.text), m_path(std::move(path)), m_reason(std::move(reason))
    {
    }

private:
    std::string m_path;
    std::string m_reason;
};

// The new text has taken the file's place, but a step after that failed:
// the caller must not tell the user that nothing was saved.
class SavedWithFaultException : public IOException {
public:
    enum class Fault {
        MayNotBeOnDisk, // flushing or closing after the text was in place failed
        OldCopyLeft,    // the copy of the old text beside the file is still there
    };
    // The message reads "Saved <path>, but a later step failed: <reason>".
    SavedWithFaultException(Fault fault, const std::string& path, const std::string& reason)
        : IOException(Message{"Saved " + path + ", but a later step failed: " + reason}, path, reason), m_fault(fault)
    {
    }
    Fault Kind() const { return m_fault; }

private:
    Fault m_fault;
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
