#include "about/dialog_template.h"

namespace tapwell::about {

namespace {

// Writes little-endian words into the block and refuses to run past its end.
class Writer {
  public:
    explicit Writer(TemplateBlock& block) : block_(block) {}

    void word(std::uint16_t w) {
        if (pos_ + 2 > block_.bytes.size()) {
            overflow_ = true;
            return;
        }
        block_.bytes[pos_++] = static_cast<std::uint8_t>(w & 0xFF);
        block_.bytes[pos_++] = static_cast<std::uint8_t>(w >> 8);
    }
    void dword(std::uint32_t d) {
        word(static_cast<std::uint16_t>(d & 0xFFFF));
        word(static_cast<std::uint16_t>(d >> 16));
    }
    void text(std::u16string_view s) {
        for (char16_t c : s)
            word(c);
        word(0);
    }
    void alignDword() {
        while (pos_ % 4 != 0 && !overflow_)
            word(0);
    }
    std::size_t position() const { return pos_; }
    bool overflowed() const { return overflow_; }

  private:
    TemplateBlock& block_;
    std::size_t pos_ = 0;
    bool overflow_ = false;
};

} // namespace

std::optional<TemplateBlock> buildDialogTemplate(const TemplateDialog& dialog) {
    TemplateBlock block;
    Writer w(block);
    w.dword(dialog.style | style::kDsSetFont);
    w.dword(dialog.exStyle);
    w.word(static_cast<std::uint16_t>(dialog.controls.size()));
    w.word(static_cast<std::uint16_t>(dialog.x));
    w.word(static_cast<std::uint16_t>(dialog.y));
    w.word(static_cast<std::uint16_t>(dialog.cx));
    w.word(static_cast<std::uint16_t>(dialog.cy));
    w.word(0); // no menu
    w.word(0); // the standard dialog class
    w.text(dialog.title);
    w.word(dialog.pointSize);
    w.text(dialog.fontFace);

    for (const TemplateControl& c : dialog.controls) {
        w.alignDword();
        w.dword(c.style);
        w.dword(c.exStyle);
        w.word(static_cast<std::uint16_t>(c.x));
        w.word(static_cast<std::uint16_t>(c.y));
        w.word(static_cast<std::uint16_t>(c.cx));
        w.word(static_cast<std::uint16_t>(c.cy));
        w.word(c.id);
        if (c.kind == ControlClass::Named) {
            w.text(c.className);
        } else {
            w.word(0xFFFF);
            w.word(static_cast<std::uint16_t>(c.kind));
        }
        w.text(c.text);
        w.word(0); // no creation data
    }
    if (w.overflowed())
        return std::nullopt;
    block.used = w.position();
    return block;
}

} // namespace tapwell::about
