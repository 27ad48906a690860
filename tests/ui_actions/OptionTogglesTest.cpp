// The "Турбо" and "Setups" boxes: a mouse click answers with a notice and saves at once; the
// keyboard changes the box silently.
#include <QPushButton>
#include <QTest>

#include "core/settings/OptionNotices.h"
#include "tests/ui_actions/ActionsFixture.h"

namespace packwell::test {
namespace {

struct BoxCase {
    const char* name;
    OptionBox box;
    const char* key;
};

void PrintTo(const BoxCase& c, std::ostream* os) { *os << c.name; }

class OptionToggle : public ActionsTest, public ::testing::WithParamInterface<BoxCase> {
protected:
    skin::TsCheckBox* Box() const { return GetParam().box == OptionBox::Turbo ? window->sCheckBox1 : window->sCheckBox2; }
    std::string Saved() const { return window->SettingsIni->ReadString("Settings", GetParam().key, "unset"); }
};

TEST_P(OptionToggle, MouseClickWritesTheNoticeForTheNewStateAndSaves) {
    TVantorCompatibility& w = Start();
    ASSERT_TRUE(Box()->isChecked());
    for (const bool expected : {false, true}) {
        const std::size_t before = w.StatusLog.LineCount();
        QTest::mouseClick(Box(), Qt::LeftButton);
        ASSERT_EQ(Box()->isChecked(), expected);

        const std::vector<std::string> lines = LinesSince(w, before);
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[0], " ");
        EXPECT_TRUE(Stamped(lines[1]));
        std::string notice;
        for (std::size_t i = 1; i < lines.size(); ++i) notice += (i > 1 ? "\r\n" : "") + Unstamped(lines[i]);
        EXPECT_EQ(notice, OptionNotice(GetParam().box, expected));
        EXPECT_EQ(Saved(), expected ? "1" : "0");
        EXPECT_EQ(w.focusWidget(), w.Button1);
    }
}

TEST_P(OptionToggle, KeyboardToggleWritesNothingAndSavesNothing) {
    TVantorCompatibility& w = Start();
    const std::string savedBefore = Saved();
    const std::size_t before = w.StatusLog.LineCount();
    Box()->setFocus();
    QTest::keyClick(Box(), Qt::Key_Space);

    EXPECT_FALSE(Box()->isChecked());
    EXPECT_EQ(w.StatusLog.LineCount(), before);
    EXPECT_EQ(Saved(), savedBefore);
}

INSTANTIATE_TEST_SUITE_P(Boxes, OptionToggle,
                         ::testing::Values(BoxCase{"Turbo", OptionBox::Turbo, "Turbo"},
                                           BoxCase{"Setups", OptionBox::Setups, "ExtraOptions"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace packwell::test
