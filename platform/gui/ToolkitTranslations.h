#pragma once

#include <QLocale>

namespace platform {

// Installs Qt's own translations for `locale` (the texts of its file dialog,
// the dialog's questions and its standard buttons) from Qt's translations
// folder, in place of any installed here before. Gives whether a table was
// found: a language without one, or a system without Qt's translations,
// keeps Qt's English texts.
bool InstallToolkitTranslations(const QLocale& locale);

} // namespace platform
