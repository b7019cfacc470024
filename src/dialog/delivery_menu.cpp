#include "dialog/delivery_menu.h"

#include "resource.h"

namespace tapwell {

namespace {

std::u16string hexId(std::uint32_t id) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string out(8, u'0');
    for (int i = 7; i >= 0; --i, id >>= 4)
        out[static_cast<std::size_t>(i)] = kDigits[id & 0xF];
    return out;
}

bool isBuiltInChoice(std::uint32_t id) {
    return id == kLayoutLocal || id == kLayoutUs101 || id == kLayoutJapanese;
}

} // namespace

std::vector<LayoutMenuItem> installedLayoutItems(std::span<const InstalledLayout> installed) {
    std::vector<LayoutMenuItem> items;
    int command = IDM_LAYOUT_INSTALLED_FIRST;
    for (const InstalledLayout& layout : installed) {
        if (command > IDM_LAYOUT_LAST)
            break;
        if (isBuiltInChoice(layout.id))
            continue;
        std::u16string text = layout.name;
        if (!text.empty())
            text += u'\t';
        text += hexId(layout.id);
        items.push_back({command++, layout.id, std::move(text)});
    }
    return items;
}

std::optional<std::uint32_t> layoutForCommand(int commandId,
                                              std::span<const LayoutMenuItem> installedItems) {
    switch (commandId) {
    case IDM_LAYOUT_LOCAL:
        return kLayoutLocal;
    case IDM_LAYOUT_US:
        return kLayoutUs101;
    case IDM_LAYOUT_JAPANESE:
        return kLayoutJapanese;
    default:
        break;
    }
    for (const LayoutMenuItem& item : installedItems)
        if (item.commandId == commandId)
            return item.layoutId;
    return std::nullopt;
}

int checkedLayoutCommand(std::uint32_t layoutId, std::span<const LayoutMenuItem> installedItems) {
    if (layoutId == kLayoutUs101)
        return IDM_LAYOUT_US;
    if (layoutId == kLayoutJapanese)
        return IDM_LAYOUT_JAPANESE;
    for (const LayoutMenuItem& item : installedItems)
        if (item.layoutId == layoutId)
            return item.commandId;
    return IDM_LAYOUT_LOCAL;
}

int checkedDeliveryCommand(Delivery delivery) {
    return delivery == Delivery::KeyPresses ? IDM_DELIVERY_KEY_PRESSES : IDM_DELIVERY_WRITTEN;
}

bool applyDeliveryCommand(Settings& settings, int commandId,
                          std::span<const LayoutMenuItem> installedItems) {
    if (commandId == IDM_DELIVERY_WRITTEN || commandId == IDM_DELIVERY_KEY_PRESSES) {
        settings.iDelivery =
            commandId == IDM_DELIVERY_KEY_PRESSES ? Delivery::KeyPresses : Delivery::Written;
        return true;
    }
    if (auto layout = layoutForCommand(commandId, installedItems)) {
        settings.iTargetLayout = *layout;
        return true;
    }
    return false;
}

} // namespace tapwell
