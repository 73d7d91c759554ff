#include <gtest/gtest.h>

#include "platform/gui/FileType.h"
#include "window/FileTypeGroup1.h"

using namespace platform;

// The types are started once per process, so the count needs a process in
// which nothing started them before this test: ctest gives it one of its own.
TEST(FileTypeGroup1Test, RegistersBothTypesOnceInOrder)
{
    if (FileTypeGroup1::App()) GTEST_SKIP() << "an earlier test started the file types; this test runs on its own";
    const int before = RegisteredFileTypeCount();
    FileTypeGroup1::Initialize();
    const int after = RegisteredFileTypeCount();
    EXPECT_EQ(after - before, 2);

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
