// An INI text as every file of ours reads it: section and key names matched without regard
// to case (A-Z against a-z), 8-bit text kept as bytes, one value per key, values on one line,
// written back as key=value with the sections, keys and comments it was given kept in their
// places and new ones added after them.
//
// It reads and writes what SimpleIni reads and writes with those settings, byte for byte
// (the tests and a fuzz target hold it to that; but a text it writes that would begin with a
// UTF-8 signature gets a second one, so that reading it again keeps the first), in one pass
// over the text: names and
// values are pieces of one copy of it, one hash table finds every section and key, and keys
// read or written in the order they stand are found without it. A preset file of 2,500
// keys is read, or updated and written, in about a tenth of a millisecond.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvel {

class IniDocument;

// The keys of one section of an IniDocument, found once: looking a key up here costs no
// search for the section. Valid while the document stands; the values it gives until the
// document changes.
class IniSectionKeys {
public:
    // The value of a key; nullopt when the section or the key is missing.
    std::optional<std::string_view> Value(std::string_view key) const;
    std::string Text(std::string_view key, std::string_view fallback) const;
    bool Bool(std::string_view key, bool fallback) const;

private:
    friend class IniDocument;
    IniSectionKeys(const IniDocument& document, std::uint32_t section) : document_(&document), section_(section) {}
    const IniDocument* document_;
    std::uint32_t section_;  // kNoEntry: no such section
    // The key found last: keys read in the order they stand are found next to it, unhashed.
    mutable std::uint32_t last_key_ = 0xFFFFFFFFu;
};

// One section of an IniDocument, found or added once, for writing many keys into it. Valid
// while the document stands.
class IniSectionWriter {
public:
    // As IniDocument::SetText and its friends, in this section.
    bool SetText(std::string_view key, std::string_view value);
    bool SetBool(std::string_view key, bool value);
    bool SetInteger(std::string_view key, long long value);

private:
    friend class IniDocument;
    IniSectionWriter(IniDocument& document, std::uint32_t section) : document_(&document), section_(section) {}
    IniDocument* document_;
    std::uint32_t section_;
    std::uint32_t last_key_ = 0xFFFFFFFFu;  // the key written last (see IniSectionKeys)
};

class IniDocument {
public:
    IniDocument();
    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;

    // Takes in a whole text, in place of anything taken before. It ends at a NUL byte; a
    // UTF-8 signature at its start is dropped. False only for a text of 2 GB or more, whose
    // places it cannot hold.
    bool Parse(std::string_view text);

    // Whether the text has this section (its name matched without regard to case).
    bool HasSection(std::string_view section) const;

    // The value of a key (valid until the document changes); nullopt when the section or the
    // key is missing.
    std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;

    // The keys of a section, for reading many of them (none when it is missing).
    IniSectionKeys Section(std::string_view section) const;

    // The value of a key, or `fallback` when it is missing.
    std::string Text(std::string_view section, std::string_view key, std::string_view fallback) const;

    // A value read as an integer (see ReadIniInteger); `fallback` when missing or not a number.
    long long Integer(std::string_view section, std::string_view key, long long fallback) const;

    // An integer value, non-zero being true; `fallback` when missing or not a number.
    bool Bool(std::string_view section, std::string_view key, bool fallback) const;

    // A section for writing many keys, added at the end of the text when it is missing.
    IniSectionWriter SectionToWrite(std::string_view section);

    // Sets a key, updating it where it stands or adding it at the end of its section (and
    // the section at the end of the text). A line break in the value would end the value
    // early and start a line of its own, so each one is written as a space; a NUL byte ends
    // the value. Always true.
    bool SetText(std::string_view section, std::string_view key, std::string_view value);
    bool SetBool(std::string_view section, std::string_view key, bool value);
    bool SetInteger(std::string_view section, std::string_view key, long long value);

    // Makes room for this many sections and keys in all, for a text about to be filled.
    void Reserve(std::size_t sections, std::size_t keys);

    // The whole text. Always true.
    bool Render(std::string& text) const;

private:
    friend class IniSectionKeys;
    friend class IniSectionWriter;

    static constexpr std::uint32_t kNoEntry = 0xFFFFFFFFu;  // no such section, key or comment
    static constexpr std::string_view kUtf8Signature = "\xEF\xBB\xBF";

    // A piece of `store_`: an offset, which stays true when the store grows.
    struct Piece {
        std::uint32_t at = 0;
        std::uint32_t size = 0;
    };
    struct SectionEntry {
        Piece name;
        std::uint32_t comment;  // in `comments_`, or kNoEntry
        std::uint32_t first_key;
        std::uint32_t last_key;
    };
    struct KeyEntry {
        Piece name;
        Piece value;
        std::uint32_t comment;  // in `comments_`, or kNoEntry
        std::uint32_t section;
        std::uint32_t next_key;  // the next key of its section, in order
    };
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t entry = 0;  // 0: free
    };

    std::string_view View(Piece piece) const { return std::string_view(store_.data() + piece.at, piece.size); }
    std::string_view CommentText(std::uint32_t comment) const;
    // Whether a text lies in the store (and would move with it).
    bool InStore(std::string_view text) const;
    // Adds a text at the end of the store (which may move the store).
    Piece Keep(std::string_view text);
    // Where a section or a key is in the hash table, or the free slot where it would go.
    std::size_t SectionSlot(std::string_view name, std::uint32_t hash) const;
    std::size_t KeySlot(std::uint32_t section, std::string_view name, std::uint32_t hash) const;
    void Rehash(std::size_t slot_count);
    // Grows the table when one more entry would fill it over half; true when it did.
    bool MakeRoom();
    std::uint32_t FindSection(std::string_view name) const;
    std::uint32_t FindKey(std::uint32_t section, std::string_view name) const;
    // The key after `previous` when it has the name (or the first key, `previous` being
    // kNoEntry), else as FindKey.
    std::uint32_t FindKeyAfter(std::uint32_t section, std::uint32_t previous, std::string_view name) const;
    // Finds a section, or adds it at the end with the comment.
    std::uint32_t AddSection(Piece name, std::uint32_t comment);
    // Adds a key at the end of its section, in the free slot `slot` of the table.
    std::uint32_t AddKey(std::size_t slot, std::uint32_t hash, std::uint32_t section, Piece name, Piece value,
                         std::uint32_t comment);
    // As SetText, in a section, looking first after the key `previous`; the key.
    std::uint32_t SetValue(std::uint32_t section, std::uint32_t previous, std::string_view key, std::string_view value);

    std::string store_;  // the text parsed, then the names and values set after
    std::string file_comment_;
    std::vector<std::string> comments_;   // the comment lines above sections and keys, joined by '\n'
    std::vector<SectionEntry> sections_;  // in the order they were added
    std::vector<KeyEntry> keys_;
    std::vector<Slot> slots_;  // one hash table for every section and key
    std::size_t used_slots_ = 0;
};

// Reads an integer as written in INI files: an optional sign and decimal digits. A value too
// big to hold stops at +/- 10^15. nullopt for anything else, the empty text included.
std::optional<long long> ReadIniInteger(std::string_view text);

}  // namespace orvel
