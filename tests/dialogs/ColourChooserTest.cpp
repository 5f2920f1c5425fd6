#include "TestEnvironment.h"

#include "views/ColourChooser.h"

#include <gtest/gtest.h>

#include <string>

namespace kal {
namespace {

// A desktop whose colour chooser shows what it was opened with and, like a real one, lets the
// user overwrite every custom slot before choosing.
class ChooserUi final : public ConsoleUi {
public:
    std::optional<Colour> AskColour(Colour initial, CustomColours& custom) override
    {
        opened = initial;
        shown = custom;
        custom.fill(0x123456);
        return 0x00FF00;
    }
    Colour opened = 0;
    CustomColours shown {};
};

class ColourChooserTest : public test::TestEnvironment {
protected:
    ColourChooserTest() { previous_ = Ui::Install(&chooser_); }
    ~ColourChooserTest() override { Ui::Install(previous_); }

    ChooserUi chooser_;
    Ui* previous_ = nullptr;
};

TEST_F(ColourChooserTest, CustomColoursComeFromTheSettingsAndAreNeverWrittenBack)
{
    EXPECT_EQ(ChooseColour(0x0000FF), 0x00FF00u);
    EXPECT_EQ(chooser_.opened, 0x0000FFu);
    for (const Colour colour : chooser_.shown)
        EXPECT_EQ(colour, 0xFFFFFFu);

    profile_.SetString("ColorDlg", "Custom3", u"255");
    profile_.SetString("ColorDlg", "Custom15", u"not a colour");
    ReloadSettings();
    (void)ChooseColour(0);
    EXPECT_EQ(chooser_.shown[3], 0x0000FFu);
    EXPECT_EQ(chooser_.shown[15], 0xFFFFFFu);
    EXPECT_EQ(chooser_.shown[0], 0xFFFFFFu);

    // What the chooser did to the slots is forgotten, in the settings and in the profile.
    (void)ChooseColour(0);
    EXPECT_EQ(chooser_.shown[0], 0xFFFFFFu);
    EXPECT_EQ(profile_.GetString("ColorDlg", "Custom0", u"absent"), u"absent");
    EXPECT_EQ(profile_.GetString("ColorDlg", "Custom3", u""), u"255");
}

} // namespace
} // namespace kal
