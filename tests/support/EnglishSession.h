#pragma once

#include <cstdlib>

// The tests expect the English texts whatever the session they are started
// from, a Japanese one included: the program follows the system's language,
// which is read from these variables once, so they are set before anything
// reads them. Tests of the Japanese texts ask for them by language code.
inline void RunInAnEnglishSession()
{
    ::setenv("LANGUAGE", "en", 1);
    ::setenv("LANG", "C.UTF-8", 1);
    ::setenv("LC_ALL", "C.UTF-8", 1);
}
