#include "SyntheticSource.h"

#include <cstdio>
#include <map>

namespace synthetic {
namespace {

constexpr std::size_t kMegabyte = 1024 * 1024;

// One glyph of a .glyphs source, as the editor writes it: a name, a component
// that names another glyph, an outline of numbers and keywords.
void AppendGlyph(std::string& text, int cid)
{
    char block[640];
    const int length = std::snprintf(block, sizeof block,
        "{\nglyphname = %s;\nlastChange = \"2023-05-01 10:20:30 +0000\";\nlayers = (\n{\ncomponents = (\n{\nname = %s;\n}\n);\n"
        "layerId = \"A1B2C3D4-0000-4000-8000-0000000%05d\";\npaths = (\n{\nclosed = 1;\nnodes = (\n"
        "\"%d -80 LINE\",\n\"112 690 LINE\",\n\"886 %d LINE SMOOTH\",\n\"886 -80 OFFCURVE\"\n);\n}\n);\nwidth = 1000;\n}\n);\n"
        "unicode = %04X;\n},\n",
        CidName(cid).c_str(), CidName((cid * 7 + 3) % kGlyphCount).c_str(), cid, 100 + cid % 50, 600 + cid % 90, 0x4E00 + cid);
    text.append(block, static_cast<std::size_t>(length));
}

} // namespace

std::string CidName(int cid)
{
    char name[16];
    std::snprintf(name, sizeof name, "cid%05d", cid);
    return name;
}

std::string RenamedCid(int cid)
{
    return "uni" + std::to_string(0x4E00 + cid) + ".jp90";
}

int ChangedCid(int i, int count)
{
    return static_cast<int>(static_cast<long long>(i) * kGlyphCount / count);
}

const std::string& GlyphsText(std::size_t megabytes)
{
    static std::map<std::size_t, std::string> made;
    std::string& text = made[megabytes];
    if (text.empty()) {
        text = "{\n.appVersion = \"3259\";\nfamilyName = \"Sorvanel Bench\";\nglyphs = (\n";
        for (int i = 0; text.size() < megabytes * kMegabyte; ++i) AppendGlyph(text, i % kGlyphCount);
        text += ");\n}";
    }
    return text;
}

} // namespace synthetic
