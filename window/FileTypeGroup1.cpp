#include "window/FileTypeGroup1.h"

namespace FileTypeGroup1 {
namespace {

std::shared_ptr<platform::FileType> pApp;
std::shared_ptr<platform::FileType> pGlyphsFile;
std::vector<std::shared_ptr<platform::FileType>> pAllFileTypes;

std::shared_ptr<platform::FileType> MakeType(const std::string& name, const std::string& extensions)
{
    auto type = std::make_shared<platform::FileType>();
    type->Name = name;
    type->Extensions = extensions;
    type->MacType = "";
    type->MacCreator = "";
    type->MimeType = "";
    type->Imported = true;
    type->ConformsTo = "";
    return type;
}

} // namespace

std::shared_ptr<platform::FileType> App() { return pApp; }
std::shared_ptr<platform::FileType> GlyphsFile() { return pGlyphsFile; }
const std::vector<std::shared_ptr<platform::FileType>>& AllFileTypes() { return pAllFileTypes; }

void Initialize()
{
    pApp = MakeType("Application", ".app");
    pAllFileTypes.push_back(pApp);
    App()->ToText();

    pGlyphsFile = MakeType("Glyphs File", ".glyphs");
    pAllFileTypes.push_back(pGlyphsFile);
    GlyphsFile()->ToText();
}

} // namespace FileTypeGroup1
