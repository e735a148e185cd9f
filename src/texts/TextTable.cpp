// Build-time tool: writes the English texts of a translation source (.ts) as the sorted C++
// table that texts::translate searches. Usage: quillora-text-table SOURCE.ts OUTPUT.cpp
#include <QFile>
#include <QXmlStreamReader>
#include <cstdio>
#include <map>
#include <string>
#include <utility>

namespace {

// A C++ string literal of `bytes`: octal escapes for all but printable ASCII, so that no
// escape runs into the character after it.
std::string Literal(const std::string& bytes) {
    std::string literal = "\"";
    for (const unsigned char c : bytes) {
        if (c == '"' || c == '\\') {
            literal += '\\';
            literal += char(c);
        } else if (c >= 0x20 && c < 0x7f && c != '?') {
            literal += char(c);
        } else {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\%03o", c);
            literal += escape;
        }
    }
    return literal + '"';
}

using Table = std::map<std::pair<std::string, std::string>, std::string>;

// The translated messages of every context; an empty or unfinished translation is left out,
// so that its source text is shown.
bool ReadSource(const char* path, Table& table, std::string& problem) {
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) {
        problem = file.errorString().toStdString();
        return false;
    }
    QXmlStreamReader xml(&file);
    std::string context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const auto name = xml.name();
        if (name == u"name") {
            context = xml.readElementText().toStdString();
        } else if (name == u"source") {
            source = xml.readElementText().toStdString();
        } else if (name == u"translation") {
            const bool unfinished = !xml.attributes().value(QLatin1String("type")).isEmpty();
            const std::string translation = xml.readElementText().toStdString();
            if (!unfinished && !translation.empty()) table[{context, source}] = translation;
        }
    }
    if (xml.hasError()) {
        problem = xml.errorString().toStdString();
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: quillora-text-table SOURCE.ts OUTPUT.cpp\n");
        return 2;
    }
    Table table;
    std::string problem;
    if (!ReadSource(argv[1], table, problem)) {
        std::fprintf(stderr, "quillora-text-table: %s: %s\n", argv[1], problem.c_str());
        return 1;
    }
    std::string code =
        "// Written by quillora-text-table from the translation source; not edited by hand.\n"
        "#include \"texts/EnglishTexts.h\"\n\nnamespace quillora::texts {\nnamespace {\n\n"
        "const TextEntry kEntries[] = {\n";
    for (const auto& [key, translation] : table) {
        code += "    {" + Literal(key.first) + ", " + Literal(key.second) + ",\n     " +
                Literal(translation) + "},\n";
    }
    code += "};\n\n}  // namespace\n\nstd::span<const TextEntry> EnglishTexts() { return kEntries; }\n"
            "\n}  // namespace quillora::texts\n";
    QFile output(QString::fromLocal8Bit(argv[2]));
    if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        output.write(code.data(), qint64(code.size())) != qint64(code.size()) || !output.flush()) {
        std::fprintf(stderr, "quillora-text-table: %s: %s\n", argv[2],
                     output.errorString().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
