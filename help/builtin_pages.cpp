// Writes the built-in reference of both help languages from the one table,
// and every example as a script the build can run:
//   OUTDIR/builtin_rows_ja.html, OUTDIR/builtin_rows_en.html
//   OUTDIR/examples/NN_NAME_LANG.qz        the example as the page shows it
//   OUTDIR/examples/NN_NAME_LANG_check.qz  the same, ending with an exit code
//                                          above 100 when a shown value is wrong
//   OUTDIR/examples/manifest.txt           one line per script: file, answers
#include "builtin_reference.h"
#include "html_text.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using namespace tapwell::help;

namespace {

// Code keeps its indentation in a table cell.
std::string codeHtml(std::string_view line) {
    std::string out;
    std::size_t i = 0;
    for (; i < line.size() && line[i] == ' '; ++i)
        out += "&nbsp;";
    return out + "<code>" + escapeHtml(line.substr(i)) + "</code>";
}

std::string exampleCell(const BuiltinDoc& doc, Lang lang) {
    std::string cell;
    for (const ExampleLine& line : doc.example) {
        if (!cell.empty())
            cell += "<br>";
        cell += codeHtml(line.codeIn(lang));
        if (!line.yieldsIn(lang).empty())
            cell += " \xE2\x86\x92 " + escapeHtml(line.yieldsIn(lang)); // U+2192 arrow
    }
    if (!doc.afterExample.in(lang).empty())
        cell += (lang == Lang::En ? " " : "") + escapeHtml(doc.afterExample.in(lang));
    return cell;
}

std::string rows(Lang lang) {
    const bool ja = lang == Lang::Ja;
    std::string html;
    for (Group group : builtinGroups()) {
        html += "<h2>" + escapeHtml(groupTitle(group).in(lang)) + "</h2>\n<table>\n";
        html += ja ? "<tr><th>関数</th><th>説明</th><th>例</th></tr>\n"
                   : "<tr><th>Function</th><th>Description</th><th>Example</th></tr>\n";
        for (const BuiltinDoc& doc : builtinReference()) {
            if (doc.group != group)
                continue;
            html += "<tr class=\"builtin\"><td><code>" + escapeHtml(doc.name) + "(" +
                    escapeHtml(doc.arguments) + ")</code>";
            for (std::size_t i = 0; i < doc.aliases.size(); ++i)
                html += std::string(i == 0 ? "<br>"
                                    : ja   ? "、"
                                           : ", ") +
                        "<code>" + escapeHtml(doc.aliases[i]) + "</code>";
            html += "</td><td>" + escapeHtml(doc.description.in(lang)) + "</td><td>" +
                    exampleCell(doc, lang) + "</td></tr>\n";
        }
        html += "</table>\n\n";
    }
    return html;
}

std::string script(const BuiltinDoc& doc, Lang lang, bool checked) {
    std::string text;
    int number = 0;
    for (const ExampleLine& line : doc.example) {
        ++number;
        const std::string code(line.codeIn(lang));
        if (checked && !line.yieldsIn(lang).empty()) {
            // `!==` takes the operand just before it, hence the parentheses.
            text += "if (" + code + ") !== " + std::string(line.yieldsIn(lang)) + " {\n    exit " +
                    std::to_string(100 + number) + "\n}\n";
        } else {
            text += code + "\n";
        }
    }
    return text;
}

bool write(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "builtin_pages: cannot write %s\n", path.string().c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: builtin_pages OUTDIR\n");
        return 64;
    }
    const fs::path dir(argv[1]);
    const fs::path examples = dir / "examples";
    std::error_code ec;
    fs::create_directories(examples, ec);
    if (!write(dir / "builtin_rows_ja.html", rows(Lang::Ja)) ||
        !write(dir / "builtin_rows_en.html", rows(Lang::En)))
        return 1;
    std::string manifest;
    int index = 0;
    for (const BuiltinDoc& doc : builtinReference()) {
        ++index;
        std::string stem = std::to_string(index) + "_";
        for (char c : doc.name)
            stem += c == '$' ? 'S' : c;
        for (Lang lang : {Lang::Ja, Lang::En}) {
            const std::string base = stem + (lang == Lang::Ja ? "_ja" : "_en");
            for (bool checked : {false, true}) {
                const std::string file = base + (checked ? "_check.qz" : ".qz");
                if (!write(examples / file, script(doc, lang, checked)))
                    return 1;
                manifest += file;
                for (std::string_view answer : doc.answers)
                    manifest += " " + std::string(answer);
                manifest += "\n";
            }
        }
    }
    return write(examples / "manifest.txt", manifest) ? 0 : 1;
}
