#pragma once

#include <string>
#include <vector>

namespace platform {

// A file type. Converting it to text (ToText) registers it with the
// framework the first time and always yields its Name; drop targets and save
// dialogs name the registered types they accept by that text.
class FileType {
public:
    std::string Name;
    std::string Extensions; // one or more, separated by ";" (".app", "glyphs")
    std::string MacType;
    std::string MacCreator;
    std::string MimeType;
    bool Imported = false;
    std::string ConformsTo;

    std::string ToText();
    bool IsRegistered() const { return m_registered; }

    // The extensions without dots, in order.
    std::vector<std::string> ExtensionList() const;

private:
    bool m_registered = false;
};

// The registered type of that name (the latest one registered under it), or
// nullptr. A registered type stays for the rest of the process.
const FileType* FindRegisteredFileType(const std::string& name);
// How many types were registered so far.
int RegisteredFileTypeCount();
// With true, every registration fails with a RuntimeException (tests of the
// start-up's failure handling).
void FailFileTypeRegistrationForTesting(bool fail);

} // namespace platform
