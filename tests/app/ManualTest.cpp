#include "platform/Text.h"
#include "ui/Commands.h"
#include "ui/MenuResource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

namespace kal {
namespace {

const std::filesystem::path kDataFolder = std::filesystem::path(KAL_TEST_DATA_DIR) / ".." / ".." / "data";

std::string Manual()
{
    std::ifstream in(kDataFolder / "manual.html", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A menu text as the menu shows it: the "&" before the mnemonic letter is not drawn.
std::string Shown(std::u16string_view text)
{
    std::u16string shown;
    for (const char16_t c : text) {
        if (c != u'&')
            shown += c;
    }
    return ToUtf8(shown);
}

void ExpectPopupsIn(const std::string& manual, const std::vector<MenuItem>& items)
{
    for (const MenuItem& item : items) {
        if (!item.IsPopup())
            continue;
        EXPECT_NE(manual.find(Shown(item.text)), std::string::npos) << Shown(item.text);
        ExpectPopupsIn(manual, item.children);
    }
}

TEST(Manual, NamesEveryMenuAndCommandAsTheProgramShowsIt)
{
    const std::string manual = Manual();
    ASSERT_FALSE(manual.empty());
    for (const CommandDefinition& command : CommandDefinitions()) {
        if (command.text.empty())
            continue;
        EXPECT_NE(manual.find(Shown(command.text)), std::string::npos) << Shown(command.text);
    }
    const MenuResource* menuBar = FindMenu(menuid::kLandscape);
    ASSERT_NE(menuBar, nullptr);
    ExpectPopupsIn(manual, menuBar->items);
}

TEST(Manual, EveryPictureItShowsIsShippedBesideIt)
{
    const std::string manual = Manual();
    const std::regex picture(R"re(<img src="([^"]+)")re");
    int pictures = 0;
    for (auto match = std::sregex_iterator(manual.begin(), manual.end(), picture); match != std::sregex_iterator();
         ++match) {
        ++pictures;
        EXPECT_TRUE(std::filesystem::is_regular_file(kDataFolder / (*match)[1].str())) << (*match)[1].str();
    }
    EXPECT_GT(pictures, 0);
}

} // namespace
} // namespace kal
