// Takes every script a help page shows (each <pre class="script"> block)
// out of the page, so the build can run it:
//   page_scripts OUTDIR PAGE...
// writes OUTDIR/STEM_LANG_N.qz and appends "FILE ANSWER..." lines to
// OUTDIR/manifest.txt. A comment <!-- answers: yes no --> just before a block
// gives the buttons its message boxes are answered with.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string unescapeHtml(const std::string& s) {
    static const std::pair<std::string_view, char> kEntities[] = {
        {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&#39;", '\''}, {"&amp;", '&'}};
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        bool replaced = false;
        for (const auto& [entity, c] : kEntities) {
            if (s.compare(i, entity.size(), entity) == 0) {
                out += c;
                i += entity.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += s[i++];
    }
    return out;
}

std::string trim(std::string s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

// The answers comment, when the text before a block ends with one.
std::string answersBefore(const std::string& page, std::size_t blockStart) {
    const std::string before = trim(page.substr(0, blockStart));
    const std::string marker = "<!-- answers:";
    if (before.size() < 3 || before.compare(before.size() - 3, 3, "-->") != 0)
        return {};
    const auto open = before.rfind(marker);
    if (open == std::string::npos)
        return {};
    return trim(before.substr(open + marker.size(), before.size() - 3 - open - marker.size()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: page_scripts OUTDIR PAGE...\n");
        return 64;
    }
    const fs::path dir(argv[1]);
    std::error_code ec;
    fs::create_directories(dir, ec);
    std::ofstream manifest(dir / "manifest.txt", std::ios::binary);
    const std::string open = "<pre class=\"script\">", close = "</pre>";
    for (int a = 2; a < argc; ++a) {
        const fs::path page(argv[a]);
        std::ifstream in(page, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "page_scripts: cannot read %s\n", argv[a]);
            return 1;
        }
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        const std::string lang = page.parent_path().filename() == "en" ? "en" : "ja";
        std::string stem = page.filename().string();
        stem = stem.substr(0, stem.find('.'));
        int count = 0;
        for (std::size_t at = text.find(open); at != std::string::npos;
             at = text.find(open, at + 1)) {
            const std::size_t body = at + open.size();
            const std::size_t end = text.find(close, body);
            if (end == std::string::npos) {
                std::fprintf(stderr, "page_scripts: %s: unclosed <pre>\n", argv[a]);
                return 1;
            }
            const std::string file = stem + "_" + lang + "_" + std::to_string(++count) + ".qz";
            std::ofstream out(dir / file, std::ios::binary);
            out << unescapeHtml(text.substr(body, end - body)) << "\n";
            manifest << file;
            const std::string answers = answersBefore(text, at);
            if (!answers.empty())
                manifest << " " << answers;
            manifest << "\n";
            if (!out) {
                std::fprintf(stderr, "page_scripts: cannot write %s\n", file.c_str());
                return 1;
            }
        }
    }
    manifest.close();
    return manifest ? 0 : 1;
}
