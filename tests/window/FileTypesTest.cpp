#include <gtest/gtest.h>

#include "platform/gui/FileType.h"
#include "window/FileTypeGroup1.h"

using namespace platform;

TEST(FileTypeGroup1Test, RegistersBothTypesOnceInOrder)
{
    const int before = RegisteredFileTypeCount();
    const bool initialisedHere = !FileTypeGroup1::App();
    if (initialisedHere) FileTypeGroup1::Initialize();
    const int after = RegisteredFileTypeCount();
    if (initialisedHere) {
        EXPECT_EQ(after - before, 2);
    }

    const auto& all = FileTypeGroup1::AllFileTypes();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0], FileTypeGroup1::App());
    EXPECT_EQ(all[1], FileTypeGroup1::GlyphsFile());

    struct Expected { std::shared_ptr<FileType> type; const char* name; const char* extensions; };
    for (const Expected& e : {Expected{FileTypeGroup1::App(), "Application", ".app"},
                              Expected{FileTypeGroup1::GlyphsFile(), "Glyphs File", ".glyphs"}}) {
        EXPECT_EQ(e.type->Name, e.name);
        EXPECT_EQ(e.type->Extensions, e.extensions);
        EXPECT_TRUE(e.type->Imported);
        EXPECT_TRUE(e.type->MacType.empty() && e.type->MacCreator.empty() && e.type->MimeType.empty());
        EXPECT_TRUE(e.type->IsRegistered());
        EXPECT_EQ(FindRegisteredFileType(e.name)->ExtensionList().size(), 1u);
    }

    // Converting again, as each zone does when it opens, registers nothing.
    EXPECT_EQ(FileTypeGroup1::App()->ToText(), "Application");
    EXPECT_EQ(FileTypeGroup1::GlyphsFile()->ToText(), "Glyphs File");
    EXPECT_EQ(RegisteredFileTypeCount(), after);
}

TEST(FileTypeTest, ExtensionsLoseTheirDotsAndEmptyPieces)
{
    FileType type;
    type.Extensions = ".glyphs; glyphspackage;;";
    EXPECT_EQ(type.ExtensionList(), (std::vector<std::string>{"glyphs", "glyphspackage"}));
}
