// The clipboard as another program leaves it.
//   --clipboard TEXT     the clipboard holds TEXT (CF_TEXT) and nothing else
//   --empty-clipboard    the clipboard holds nothing
#include <cstring>

#include "driver_steps.h"
#include "driver_text.h"

namespace {

class ClipboardStep : public Step {
public:
    explicit ClipboardStep(std::string text) : text_(std::move(text)) {}
    bool run(Session&, size_t n) override {
        say(text_.empty() ? std::string("emptying the clipboard") : "clipboard: \"" + text_ + "\"");
        if (!OpenClipboard(nullptr)) {
            say("step " + std::to_string(n) + ": the clipboard cannot be opened");
            return false;
        }
        EmptyClipboard();
        bool ok = true;
        if (!text_.empty()) {
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text_.size() + 1);
            char* bytes = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
            if (bytes) {
                memcpy(bytes, text_.c_str(), text_.size() + 1);
                GlobalUnlock(block);
            }
            ok = bytes && SetClipboardData(CF_TEXT, block);
            if (!ok && block) GlobalFree(block);
        }
        CloseClipboard();
        if (!ok) say("step " + std::to_string(n) + ": the clipboard does not take the text");
        return ok;
    }

private:
    std::string text_;
};

}  // namespace

std::unique_ptr<Step> parse_clipboard_step(const std::wstring& value) {
    if (value.empty()) usage("--clipboard needs a text; --empty-clipboard empties it");
    return std::make_unique<ClipboardStep>(utf8(value));
}

std::unique_ptr<Step> parse_empty_clipboard_step(const std::wstring&) { return std::make_unique<ClipboardStep>(""); }
