// An in-memory dialog template in the platform's byte layout (the classic
// template with a font), built without the platform's headers so that its
// layout can be checked anywhere.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tapwell::about {

// Window and control style bits, as the platform defines them.
namespace style {
inline constexpr std::uint32_t kPopup = 0x80000000;
inline constexpr std::uint32_t kChild = 0x40000000;
inline constexpr std::uint32_t kVisible = 0x10000000;
inline constexpr std::uint32_t kCaption = 0x00C00000;
inline constexpr std::uint32_t kVScroll = 0x00200000;
inline constexpr std::uint32_t kSysMenu = 0x00080000;
inline constexpr std::uint32_t kTabStop = 0x00010000;
inline constexpr std::uint32_t kDsSetFont = 0x40;
inline constexpr std::uint32_t kDsModalFrame = 0x80;
inline constexpr std::uint32_t kDsCenter = 0x0800;
inline constexpr std::uint32_t kBsPushButton = 0x0;
inline constexpr std::uint32_t kBsDefPushButton = 0x1;
inline constexpr std::uint32_t kEsMultiline = 0x4;
inline constexpr std::uint32_t kEsReadOnly = 0x0800;
inline constexpr std::uint32_t kSsIcon = 0x3;
inline constexpr std::uint32_t kExClientEdge = 0x200;
} // namespace style

// Predefined control classes are written as an atom.
enum class ControlClass : std::uint16_t { Named = 0, Button = 0x80, Edit = 0x81, Static = 0x82 };

struct TemplateControl {
    std::uint16_t id = 0;
    ControlClass kind = ControlClass::Static;
    std::u16string_view className; // for ControlClass::Named
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::u16string_view text;
};

struct TemplateDialog {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::u16string_view title;
    std::uint16_t pointSize = 8;
    std::u16string_view fontFace;
    std::vector<TemplateControl> controls;
};

inline constexpr std::size_t kTemplateBlockSize = 2048;

struct TemplateBlock {
    alignas(4) std::array<std::uint8_t, kTemplateBlockSize> bytes{};
    std::size_t used = 0;
};

// The template in a zero-filled block; nullopt when it would not fit.
std::optional<TemplateBlock> buildDialogTemplate(const TemplateDialog& dialog);

} // namespace tapwell::about
