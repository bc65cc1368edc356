// Writing an IniDocument's text back: the sizes first, then one string filled in one pass.
#include <cstring>

#include "files/ini_document.h"

namespace orvel {

namespace {

// Copies pieces of text one after another into a string that has room for them all.
class TextWriter {
public:
    explicit TextWriter(char* at) : at_(at) {}

    void Put(std::string_view piece)
    {
        if (piece.empty()) return;
        std::memcpy(at_, piece.data(), piece.size());
        at_ += piece.size();
    }

    void Put(char c) { *at_++ = c; }

    // A text of lines joined by '\n', one line at a time, each with its line break.
    void PutLines(std::string_view text)
    {
        if (text.empty()) return;
        Put(text);
        Put('\n');
    }

private:
    char* at_;
};

// What TextWriter::PutLines writes.
std::size_t LinesSize(std::string_view text)
{
    return text.empty() ? 0 : text.size() + 1;
}

}  // namespace

// The file comment, then each section in the order it came (but section "", the keys before
// any section name, first): its comment, its name in brackets unless it is "", its keys in
// the order they came, each after its comment. Two blank lines part the sections: they go
// before a section's comment, or before its name when it has none, unless it comes first.
bool IniDocument::Render(std::string& text) const
{
    const std::uint32_t unnamed = FindSection("");
    std::vector<std::uint32_t> order;
    order.reserve(sections_.size());
    if (unnamed != kNoEntry) order.push_back(unnamed);
    for (std::uint32_t s = 0; s < sections_.size(); ++s) {
        if (s != unnamed) order.push_back(s);
    }

    std::size_t size = LinesSize(file_comment_);
    bool part = !file_comment_.empty();
    for (const std::uint32_t s : order) {
        const SectionEntry& section = sections_[s];
        size += (part ? 2 : 0) + LinesSize(CommentText(section.comment));
        if (section.name.size > 0) size += section.name.size + 3;
        for (std::uint32_t k = section.first_key; k != kNoEntry; k = keys_[k].next_key) {
            const KeyEntry& key = keys_[k];
            if (key.comment != kNoEntry) size += 1 + LinesSize(CommentText(key.comment));
            size += key.name.size + key.value.size + 2;
        }
        part = true;
    }

    std::string rendered(size, '\0');
    TextWriter out(rendered.data());
    out.PutLines(file_comment_);
    part = !file_comment_.empty();
    for (const std::uint32_t s : order) {
        const SectionEntry& section = sections_[s];
        if (part) out.Put("\n\n");
        out.PutLines(CommentText(section.comment));
        if (section.name.size > 0) {
            out.Put('[');
            out.Put(View(section.name));
            out.Put("]\n");
        }
        for (std::uint32_t k = section.first_key; k != kNoEntry; k = keys_[k].next_key) {
            const KeyEntry& key = keys_[k];
            if (key.comment != kNoEntry) {
                out.Put('\n');
                out.PutLines(CommentText(key.comment));
            }
            out.Put(View(key.name));
            out.Put('=');
            out.Put(View(key.value));
            out.Put('\n');
        }
        part = true;
    }
    // A text that begins with a UTF-8 signature (the unnamed section's first key named so)
    // gets one more, which the next read drops; SimpleIni would let the read drop the name's.
    if (rendered.starts_with(kUtf8Signature)) rendered.insert(0, kUtf8Signature);
    text = std::move(rendered);
    return true;
}

}  // namespace orvel
