#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include <QIcon>
#include <QImage>

#include "tests/support/TempDir.h"
#include "window/Icon.h"

namespace {

// How many pixels of the bitmap the icon covers.
int PaintedPixels(const QImage& bitmap)
{
    int painted = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) painted += qAlpha(bitmap.pixel(x, y)) > 0 ? 1 : 0;
    }
    return painted;
}

TEST(IconGet, GivesNothingWithoutAnItemToDraw)
{
    TempDir dir;
    const std::string gone = dir.Write("gone.glyphs", "{}");
    std::filesystem::remove(gone);
    const std::string present = dir.Write("here.glyphs", "{}");

    struct Case { const char* what; std::optional<platform::FolderItem> item; std::int64_t size; };
    const Case cases[] = {
        {"absent item", std::nullopt, 64},
        {"vanished file", platform::FolderItem(gone), 64},
        {"no size", platform::FolderItem(present), 0},
        {"negative size", platform::FolderItem(present), -64},
        {"size beyond an int", platform::FolderItem(present), std::int64_t{1} << 40},
    };
    for (const Case& c : cases) EXPECT_EQ(Icon::Get(c.item, c.size), nullptr) << c.what;
}

TEST(IconGet, CarriesTheThemeIconAtOnceAndTwiceTheSize)
{
    TempDir dir;
    const std::string bundle = dir.MakeFolder("Glyphs 3.app/Contents"), folder = dir.MakeFolder("plain");
    const std::string file = dir.Write("Font.glyphs", "{\n}\n");

    std::vector<QImage> firstBitmaps;
    for (const std::string& path : {dir.Path("Glyphs 3.app"), folder, file}) {
        SCOPED_TRACE(path);
        const auto picture = Icon::Get(platform::FolderItem(path), 64);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->Width(), 64);
        EXPECT_EQ(picture->Height(), 64);
        const auto& bitmaps = picture->Representations();
        ASSERT_EQ(bitmaps.size(), 2u);
        EXPECT_EQ(bitmaps[0].size(), QSize(64, 64));
        EXPECT_EQ(bitmaps[1].size(), QSize(128, 128));
        EXPECT_GT(PaintedPixels(bitmaps[0]), 64 * 64 / 4);
        EXPECT_GT(PaintedPixels(bitmaps[1]), 128 * 128 / 4);
        firstBitmaps.push_back(bitmaps[0]);
    }
    EXPECT_EQ(firstBitmaps[0], firstBitmaps[1]); // a bundle is a folder and looks like one
    EXPECT_NE(firstBitmaps[0], firstBitmaps[2]);
    // The icons come from a real theme, not from Qt's few built-in bitmaps,
    // which blur at these sizes.
    EXPECT_TRUE(QIcon::hasThemeIcon(QStringLiteral("folder")));
}

} // namespace
