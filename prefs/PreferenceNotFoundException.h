#pragma once

#include <string>

#include "platform/core/Exceptions.h"

namespace Preferences {

// Raised when the preference store holds no value of the asked name.
class PreferenceNotFoundException : public platform::RuntimeException {
public:
    explicit PreferenceNotFoundException(const std::string& name)
        : platform::RuntimeException("Preference value '" + name + "' does not exist.")
    {
    }
};

} // namespace Preferences
