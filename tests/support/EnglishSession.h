#pragma once

#include <cstdlib>

// The tests expect the English texts whatever the session they are started
// from, a Japanese one included: the program follows the system's language,
// which is read from these variables once, so they are set before anything
// reads them. Tests of the Japanese texts ask for them by language code; a
// test that must start the program in another session names its locale in
// SORVANEL_TEST_SESSION_LOCALE, which its child processes inherit.
inline void RunInAnEnglishSession()
{
    const char* other = std::getenv("SORVANEL_TEST_SESSION_LOCALE");
    ::setenv("LANGUAGE", other != nullptr ? other : "en", 1);
    ::setenv("LANG", other != nullptr ? other : "C.UTF-8", 1);
    ::setenv("LC_ALL", other != nullptr ? other : "C.UTF-8", 1);
}
