#include "quick/hotkey.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace tapwell {
namespace {

// A layout given by what its keys type with AltGr and AltGr+Shift.
class FakeLayout : public AltGrLayout {
  public:
    FakeLayout(std::u16string name, std::map<std::pair<std::uint8_t, bool>, char16_t> keys)
        : name_(std::move(name)), keys_(std::move(keys)) {}
    std::u16string name() const override { return name_; }
    char16_t altGrCharacter(std::uint8_t vk, bool shift) const override {
        auto it = keys_.find({vk, shift});
        return it == keys_.end() ? 0 : it->second;
    }

  private:
    std::u16string name_;
    std::map<std::pair<std::uint8_t, bool>, char16_t> keys_;
};

const FakeLayout kUs(u"US", {});
const FakeLayout kCzech(u"Czech", {{{'V', false}, u'@'}, {{'Q', false}, u'\\'}});
const FakeLayout kGerman(u"German", {{{'Q', false}, u'@'}, {{'E', false}, u'€'}});
const FakeLayout kShiftOnly(u"Other", {{{'K', true}, u'&'}});

constexpr Hotkey kCtrlAltV{'V' | Hotkey::kCtrl | Hotkey::kAlt};

TEST(Hotkey, SettingKeepsKeyAndModifiersAndRefusesJunk) {
    Hotkey h = Hotkey::fromSetting(static_cast<std::int32_t>(kCtrlAltV.value));
    EXPECT_EQ(h.key(), 'V');
    EXPECT_TRUE(h.ctrl() && h.alt());
    EXPECT_FALSE(h.shift() || h.win());
    EXPECT_TRUE(Hotkey::fromSetting(0).none());
    // Modifiers without a key, and bits no modifier has (the control's
    // extended-key flag), read as no hotkey.
    EXPECT_TRUE(Hotkey::fromSetting(Hotkey::kCtrl).none());
    EXPECT_TRUE(Hotkey::fromSetting(0x800 | 'V').none());
    EXPECT_TRUE(Hotkey::fromSetting(-1).none());
    EXPECT_EQ(Hotkey::fromSetting(0x1000 | 0x100 | 0x7B).value, 0x117Bu);
    EXPECT_TRUE(Hotkey::of(0, Hotkey::kCtrl).none());
}

TEST(Hotkey, NamesModifiersInOneOrderAndKeysReadably) {
    EXPECT_EQ(hotkeyName(kCtrlAltV), u"Ctrl+Alt+V");
    EXPECT_EQ(
        hotkeyName(Hotkey::of(0x7B, Hotkey::kWin | Hotkey::kShift | Hotkey::kCtrl | Hotkey::kAlt)),
        u"Ctrl+Alt+Shift+Win+F12");
    EXPECT_EQ(hotkeyName({}), u"");
    EXPECT_EQ(virtualKeyName(0x70), u"F1");
    EXPECT_EQ(virtualKeyName(0x83), u"F20");
    EXPECT_EQ(virtualKeyName(0x87), u"F24");
    EXPECT_EQ(virtualKeyName('7'), u"7");
    EXPECT_EQ(virtualKeyName(0x65), u"Num 5");
    EXPECT_EQ(virtualKeyName(0x20), u"Space");
    EXPECT_EQ(virtualKeyName(0xFE), u"Key 0xFE");
}

TEST(Hotkey, CtrlAltTakesTheAltGrCharacterOfAnyLayout) {
    const AltGrLayout* layouts[] = {&kUs, &kGerman, &kCzech};
    auto c = altGrConflict(kCtrlAltV, layouts);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->layout, u"Czech");
    EXPECT_EQ(c->character, u'@');
    // The first layout that types something decides.
    c = altGrConflict(Hotkey::of('Q', Hotkey::kCtrl | Hotkey::kAlt), layouts);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->layout, u"German");
    // Only US installed: nothing taken.
    const AltGrLayout* usOnly[] = {&kUs};
    EXPECT_FALSE(altGrConflict(kCtrlAltV, usOnly));
}

TEST(Hotkey, AltGrCheckNeedsCtrlAndAltWithoutWinAndHonoursShift) {
    const AltGrLayout* layouts[] = {&kCzech, &kShiftOnly};
    EXPECT_FALSE(altGrConflict(Hotkey::of('V', Hotkey::kCtrl), layouts));
    EXPECT_FALSE(altGrConflict(Hotkey::of('V', Hotkey::kAlt), layouts));
    EXPECT_FALSE(
        altGrConflict(Hotkey::of('V', Hotkey::kCtrl | Hotkey::kAlt | Hotkey::kWin), layouts));
    // With Shift, the AltGr+Shift level counts, not the plain AltGr one.
    EXPECT_FALSE(
        altGrConflict(Hotkey::of('V', Hotkey::kCtrl | Hotkey::kAlt | Hotkey::kShift), layouts));
    EXPECT_TRUE(
        altGrConflict(Hotkey::of('K', Hotkey::kCtrl | Hotkey::kAlt | Hotkey::kShift), layouts));
    EXPECT_FALSE(altGrConflict(Hotkey::of('K', Hotkey::kCtrl | Hotkey::kAlt), layouts));
}

TEST(Hotkey, SuggestionPassesBothChecks) {
    const AltGrLayout* usOnly[] = {&kUs};
    auto anything = [](Hotkey) { return true; };
    EXPECT_EQ(suggestHotkey(kProposedClipboardHotkey, usOnly, anything), kProposedClipboardHotkey);

    const AltGrLayout* czech[] = {&kCzech};
    auto s = suggestHotkey(kProposedClipboardHotkey, czech, anything);
    ASSERT_TRUE(s);
    EXPECT_EQ(hotkeyName(*s), u"Ctrl+Shift+F11");

    // Held by others: the next free one.
    auto notF11 = [](Hotkey h) { return h.key() != 0x7A; };
    s = suggestHotkey(kProposedClipboardHotkey, czech, notF11);
    ASSERT_TRUE(s);
    EXPECT_EQ(hotkeyName(*s), u"Ctrl+Shift+F12");

    EXPECT_FALSE(suggestHotkey(kProposedClipboardHotkey, czech, [](Hotkey) { return false; }));
    // No preferred one: straight to the list.
    EXPECT_EQ(hotkeyName(*suggestHotkey({}, usOnly, anything)), u"Ctrl+Shift+F11");
}

TEST(Hotkey, RefusalNamesTheCombinationAndTheSuggestion) {
    EXPECT_EQ(hotkeyRefusal(kCtrlAltV, std::nullopt, Hotkey{0x7A | Hotkey::kCtrl | Hotkey::kShift},
                            Language::English),
              u"Ctrl+Alt+V is already used by another program.\nPlease choose another "
              u"combination, for example Ctrl+Shift+F11.");
    EXPECT_EQ(hotkeyRefusal(Hotkey::of('K', Hotkey::kCtrl | Hotkey::kAlt | Hotkey::kShift),
                            HotkeyConflict{u"Other", u'&'}, std::nullopt, Language::English),
              u"Ctrl+Alt+Shift+K would take a character away: Windows treats Ctrl+Alt as AltGr, "
              u"and AltGr+Shift+K types & on the Other layout.");
    std::u16string ja =
        hotkeyRefusal(kCtrlAltV, HotkeyConflict{u"チェコ語", u'@'},
                      Hotkey{0x7B | Hotkey::kCtrl | Hotkey::kShift}, Language::Japanese);
    EXPECT_NE(ja.find(u"AltGr+V で @ を入力する配列（チェコ語）"), std::u16string::npos);
    EXPECT_NE(ja.find(u"Ctrl+Shift+F12"), std::u16string::npos);
}

} // namespace
} // namespace tapwell
