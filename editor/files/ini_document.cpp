#include "files/ini_document.h"

#include <array>
#include <cstring>
#include <functional>

#include "files/file_constants.h"

namespace orvel {

namespace {

constexpr long long kIntegerLimit = 1'000'000'000'000'000LL;
// Places in a text are held in 32 bits, and each line's entry in 31.
constexpr std::size_t kLargestText = std::size_t{1} << 31;

// Names are matched with A-Z taken as a-z and every other byte as it is.
constexpr std::array<unsigned char, 256> kLowerCase = [] {
    std::array<unsigned char, 256> lower{};
    for (int c = 0; c < 256; ++c) lower[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
    for (int c = 'A'; c <= 'Z'; ++c) lower[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c - 'A' + 'a');
    return lower;
}();

unsigned char LowerCase(char c)
{
    return kLowerCase[static_cast<unsigned char>(c)];
}

// FNV-1a of the name in lower case, its bits mixed once more for the table's low bits; a
// key's seed is its section, so that the same key in different sections spreads apart.
std::uint32_t NameHash(std::string_view name, std::uint32_t seed)
{
    std::uint32_t hash = 2166136261u ^ seed;
    for (char c : name) hash = (hash ^ LowerCase(c)) * 16777619u;
    hash ^= hash >> 16;
    hash *= 0x85EBCA6Bu;
    hash ^= hash >> 13;
    return hash;
}

bool SameBytes(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size()) == 0);
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    if (SameBytes(a, b)) return true;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerCase(a[i]) != LowerCase(b[i])) return false;
    }
    return true;
}

// Entries in the hash table: a section's index doubled, a key's index doubled plus one; a
// slot holds the entry plus one, 0 when it is free.
std::uint32_t SectionSlotEntry(std::uint32_t section)
{
    return (section << 1) + 1;
}

std::uint32_t KeySlotEntry(std::uint32_t key)
{
    return (key << 1) + 2;
}

bool IsKeySlotEntry(std::uint32_t entry)
{
    return (entry & 1u) == 0;
}

// What the reader asks of a byte, one table lookup each.
constexpr unsigned char kLineEndClass = 1;  // '\r', '\n'
constexpr unsigned char kSpaceClass = 2;    // ' ', '\t', '\r', '\n'
constexpr unsigned char kTextEndClass = 4;  // NUL, '\r', '\n': where a line's text ends
constexpr unsigned char kKeyEndClass = 8;   // NUL, '\r', '\n', '='
constexpr std::array<unsigned char, 256> kCharClass = [] {
    std::array<unsigned char, 256> classes{};
    for (const unsigned char c : {'\r', '\n'}) classes[c] = kLineEndClass | kSpaceClass | kTextEndClass | kKeyEndClass;
    for (const unsigned char c : {' ', '\t'}) classes[c] = kSpaceClass;
    classes[0] = kTextEndClass | kKeyEndClass;
    classes['='] = kKeyEndClass;
    return classes;
}();

bool HasClass(char c, unsigned char wanted)
{
    return (kCharClass[static_cast<unsigned char>(c)] & wanted) != 0;
}

bool IsSpace(char c)
{
    return HasClass(c, kSpaceClass);
}

bool IsLineEnd(char c)
{
    return HasClass(c, kLineEndClass);
}

// Steps over one line break: "\r\n", "\n" or "\r".
void SkipLineEnd(const char*& at)
{
    at += (at[0] == '\r' && at[1] == '\n') ? 2 : 1;
}

// Whether a line starting here (after its indentation) is a comment: it starts with ';' or
// '#', or it opens a section name without closing it. SimpleIni would file the keys after
// such a line under a section whose name runs on over the line break (and so could never
// be read back); read as a comment (with a ';' put before it), it stays in the file and the
// keys after it stay in the section before it.
bool StartsComment(const char* at)
{
    if (*at == ';' || *at == '#') return true;
    if (*at != '[') return false;
    while (!HasClass(*at, kTextEndClass) && *at != ']') ++at;
    return *at != ']';
}

// Reads comment lines from `at` (at the start of one) and returns them joined by '\n',
// leaving `at` on the line after the last one. The comment above a file's first entry is
// every line that is a comment right away, without indentation. A comment above an entry
// also takes in later comment lines after blank lines and indentation, with a '\n' for
// each blank line.
std::string ReadComment(const char*& at, bool across_blank_lines)
{
    std::string comment;
    for (;;) {
        if (*at == '[') comment += ';';
        const char* line = at;
        while (!HasClass(*at, kTextEndClass)) ++at;
        comment.append(line, static_cast<std::size_t>(at - line));
        if (*at == '\0') return comment;
        SkipLineEnd(at);
        if (StartsComment(at)) {
            comment += '\n';
            continue;
        }
        if (!across_blank_lines) return comment;
        const char* ahead = at;
        std::size_t blank_lines = 0;
        while (IsSpace(*ahead)) {
            if (IsLineEnd(*ahead)) {
                ++blank_lines;
                SkipLineEnd(ahead);
            } else {
                ++ahead;
            }
        }
        if (!StartsComment(ahead)) return comment;
        comment.append(blank_lines + 1, '\n');
        at = ahead;
    }
}

// A value read as a switch: a number, non-zero being true; `fallback` when missing or not a number.
bool BoolOf(std::optional<std::string_view> value, bool fallback)
{
    if (!value) return fallback;
    const std::optional<long long> number = ReadIniInteger(*value);
    return number ? *number != 0 : fallback;
}

}  // namespace

IniDocument::IniDocument() : slots_(16) {}

std::string_view IniDocument::CommentText(std::uint32_t comment) const
{
    return comment == kNoEntry ? std::string_view() : std::string_view(comments_[comment]);
}

bool IniDocument::InStore(std::string_view text) const
{
    const std::less_equal<const char*> not_after;
    return !text.empty() && not_after(store_.data(), text.data()) &&
           not_after(text.data(), store_.data() + store_.size());
}

IniDocument::Piece IniDocument::Keep(std::string_view text)
{
    const Piece piece{static_cast<std::uint32_t>(store_.size()), static_cast<std::uint32_t>(text.size())};
    store_.append(text);
    return piece;
}

std::size_t IniDocument::SectionSlot(std::string_view name, std::uint32_t hash) const
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = hash & mask;
    for (; slots_[at].entry != 0; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.hash == hash && !IsKeySlotEntry(slot.entry) && SameName(View(sections_[slot.entry >> 1].name), name))
            break;
    }
    return at;
}

std::size_t IniDocument::KeySlot(std::uint32_t section, std::string_view name, std::uint32_t hash) const
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = hash & mask;
    for (; slots_[at].entry != 0; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.hash != hash || !IsKeySlotEntry(slot.entry)) continue;
        const KeyEntry& key = keys_[(slot.entry >> 1) - 1];
        if (key.section == section && SameName(View(key.name), name)) break;
    }
    return at;
}

void IniDocument::Rehash(std::size_t slot_count)
{
    std::vector<Slot> old(slot_count);
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.entry == 0) continue;
        std::size_t at = slot.hash & mask;
        while (slots_[at].entry != 0) at = (at + 1) & mask;
        slots_[at] = slot;
    }
}

bool IniDocument::MakeRoom()
{
    if ((used_slots_ + 1) * 2 <= slots_.size()) return false;
    Rehash(slots_.size() * 2);
    return true;
}

void IniDocument::Reserve(std::size_t sections, std::size_t keys)
{
    sections_.reserve(sections);
    keys_.reserve(keys);
    // Room for new keys' names and values too, which go at the end of the store.
    if (keys > keys_.size()) store_.reserve(store_.size() + (keys - keys_.size()) * 12);
    std::size_t slot_count = slots_.size();
    while (slot_count < (sections + keys) * 2) slot_count *= 2;
    if (slot_count > slots_.size()) Rehash(slot_count);
}

std::uint32_t IniDocument::FindSection(std::string_view name) const
{
    const std::uint32_t entry = slots_[SectionSlot(name, NameHash(name, 0))].entry;
    return entry != 0 ? entry >> 1 : kNoEntry;
}

std::uint32_t IniDocument::FindKey(std::uint32_t section, std::string_view name) const
{
    if (section == kNoEntry) return kNoEntry;
    const std::uint32_t entry = slots_[KeySlot(section, name, NameHash(name, section + 1))].entry;
    return entry != 0 ? (entry >> 1) - 1 : kNoEntry;
}

std::uint32_t IniDocument::FindKeyAfter(std::uint32_t section, std::uint32_t previous, std::string_view name) const
{
    if (section == kNoEntry) return kNoEntry;
    const std::uint32_t next = previous == kNoEntry ? sections_[section].first_key : keys_[previous].next_key;
    if (next != kNoEntry && SameName(View(keys_[next].name), name)) return next;
    return FindKey(section, name);
}

std::uint32_t IniDocument::AddSection(Piece name, std::uint32_t comment)
{
    const std::uint32_t hash = NameHash(View(name), 0);
    std::size_t at = SectionSlot(View(name), hash);
    if (slots_[at].entry != 0) return slots_[at].entry >> 1;
    if (MakeRoom()) at = SectionSlot(View(name), hash);
    const auto index = static_cast<std::uint32_t>(sections_.size());
    sections_.push_back(SectionEntry{name, comment, kNoEntry, kNoEntry});
    slots_[at] = Slot{hash, SectionSlotEntry(index)};
    ++used_slots_;
    return index;
}

std::uint32_t IniDocument::AddKey(std::size_t slot, std::uint32_t hash, std::uint32_t section, Piece name, Piece value,
                                  std::uint32_t comment)
{
    if (MakeRoom()) slot = KeySlot(section, View(name), hash);
    const auto index = static_cast<std::uint32_t>(keys_.size());
    keys_.push_back(KeyEntry{name, value, comment, section, kNoEntry});
    SectionEntry& owner = sections_[section];
    if (owner.last_key == kNoEntry)
        owner.first_key = index;
    else
        keys_[owner.last_key].next_key = index;
    owner.last_key = index;
    slots_[slot] = Slot{hash, KeySlotEntry(index)};
    ++used_slots_;
    return index;
}

bool IniDocument::Parse(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    if (text.substr(0, kUtf8Signature.size()) == kUtf8Signature) text.remove_prefix(kUtf8Signature.size());
    if (text.size() >= kLargestText) return false;
    store_ = text;
    file_comment_.clear();
    comments_.clear();
    sections_.clear();
    keys_.clear();
    // At most one entry a line of six bytes ("key=0" and its line break), in a table at most
    // half full.
    const std::size_t expected = store_.size() / 6 + 8;
    sections_.reserve(expected / 16);
    keys_.reserve(expected);
    std::size_t slots = 16;
    while (slots < expected * 2) slots *= 2;
    slots_.assign(slots, Slot{});
    used_slots_ = 0;

    const char* const start = store_.c_str();
    auto piece = [start](const char* from, const char* to) {
        return Piece{static_cast<std::uint32_t>(from - start), static_cast<std::uint32_t>(to - from)};
    };
    const char* at = start;
    if (StartsComment(at)) file_comment_ = ReadComment(at, false);
    std::uint32_t section = kNoEntry;  // keys before the first section name go to section ""
    std::uint32_t comment = kNoEntry;
    while (*at != '\0') {
        while (IsSpace(*at)) ++at;
        if (*at == '\0') break;
        if (StartsComment(at)) {
            comment = static_cast<std::uint32_t>(comments_.size());
            comments_.push_back(ReadComment(at, true));
            continue;
        }
        if (*at == '[') {
            ++at;
            while (IsSpace(*at)) ++at;
            const char* name = at;
            while (!HasClass(*at, kTextEndClass) && *at != ']') ++at;
            if (*at != ']') continue;  // never: such a line is a comment
            const char* name_end = at;
            while (name_end > name && IsSpace(name_end[-1])) --name_end;
            while (!HasClass(*at, kTextEndClass)) ++at;  // the rest of the line is ignored
            section = AddSection(piece(name, name_end), comment);
            comment = kNoEntry;
            continue;
        }
        const char* key = at;
        while (!HasClass(*at, kKeyEndClass)) ++at;
        if (*at != '=') continue;  // a line without '=' holds no key
        if (at == key) {           // nor does one without a name before it
            while (!HasClass(*at, kTextEndClass)) ++at;
            continue;
        }
        const char* key_end = at;
        while (IsSpace(key_end[-1])) --key_end;
        ++at;
        while (*at == ' ' || *at == '\t') ++at;
        const char* value = at;
        while (!HasClass(*at, kTextEndClass)) ++at;
        const char* value_end = at;
        if (*at != '\0') SkipLineEnd(at);
        while (value_end > value && IsSpace(value_end[-1])) --value_end;
        if (section == kNoEntry) section = AddSection(Piece{}, kNoEntry);

        // A key met again keeps its place, its spelling and its comment, and takes the new value.
        const std::string_view name(key, static_cast<std::size_t>(key_end - key));
        const std::uint32_t hash = NameHash(name, section + 1);
        const std::size_t slot = KeySlot(section, name, hash);
        if (slots_[slot].entry != 0)
            keys_[(slots_[slot].entry >> 1) - 1].value = piece(value, value_end);
        else
            AddKey(slot, hash, section, piece(key, key_end), piece(value, value_end), comment);
        comment = kNoEntry;
    }
    return true;
}

bool IniDocument::HasSection(std::string_view section) const
{
    return FindSection(section) != kNoEntry;
}

std::optional<std::string_view> IniDocument::Value(std::string_view section, std::string_view key) const
{
    return Section(section).Value(key);
}

IniSectionKeys IniDocument::Section(std::string_view section) const
{
    return IniSectionKeys(*this, FindSection(section));
}

std::string IniDocument::Text(std::string_view section, std::string_view key, std::string_view fallback) const
{
    return std::string(Value(section, key).value_or(fallback));
}

long long IniDocument::Integer(std::string_view section, std::string_view key, long long fallback) const
{
    const std::optional<std::string_view> value = Value(section, key);
    if (!value) return fallback;
    return ReadIniInteger(*value).value_or(fallback);
}

bool IniDocument::Bool(std::string_view section, std::string_view key, bool fallback) const
{
    return BoolOf(Value(section, key), fallback);
}

std::optional<std::string_view> IniSectionKeys::Value(std::string_view key) const
{
    const std::uint32_t found = document_->FindKeyAfter(section_, last_key_, key);
    if (found == IniDocument::kNoEntry) return std::nullopt;
    last_key_ = found;
    return document_->View(document_->keys_[found].value);
}

std::string IniSectionKeys::Text(std::string_view key, std::string_view fallback) const
{
    return std::string(Value(key).value_or(fallback));
}

bool IniSectionKeys::Bool(std::string_view key, bool fallback) const
{
    return BoolOf(Value(key), fallback);
}

IniSectionWriter IniDocument::SectionToWrite(std::string_view section)
{
    const std::uint32_t found = FindSection(section);
    return IniSectionWriter(*this, found != kNoEntry ? found : AddSection(Keep(section), kNoEntry));
}

std::uint32_t IniDocument::SetValue(std::uint32_t section, std::uint32_t previous, std::string_view key,
                                    std::string_view value)
{
    // A NUL byte ends the value; a line break would end it early and start a line of its own.
    std::string one_line;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (!HasClass(value[i], kTextEndClass)) continue;
        if (value[i] == '\0') {
            value = value.substr(0, i);
            break;
        }
        if (one_line.empty()) one_line = value;
        one_line[i] = ' ';
    }
    if (!one_line.empty()) value = std::string_view(one_line).substr(0, value.size());

    const std::uint32_t next = previous == kNoEntry ? sections_[section].first_key : keys_[previous].next_key;
    std::uint32_t found = kNoEntry;
    if (next != kNoEntry && SameName(View(keys_[next].name), key)) {
        found = next;
    } else {
        const std::uint32_t hash = NameHash(key, section + 1);
        const std::size_t slot = KeySlot(section, key, hash);
        if (slots_[slot].entry == 0) {
            if (InStore(key) || InStore(value)) {
                // The store may move as the name goes in, and with it a text taken from it.
                const std::string name(key);
                const std::string text(value);
                const Piece kept_name = Keep(name);
                return AddKey(slot, hash, section, kept_name, Keep(text), kNoEntry);
            }
            const Piece kept_name = Keep(key);
            return AddKey(slot, hash, section, kept_name, Keep(value), kNoEntry);
        }
        found = (slots_[slot].entry >> 1) - 1;
    }
    // A value written again as it stands is left alone: most keys of a save are.
    if (!SameBytes(View(keys_[found].value), value)) keys_[found].value = Keep(value);
    return found;
}

bool IniSectionWriter::SetText(std::string_view key, std::string_view value)
{
    last_key_ = document_->SetValue(section_, last_key_, key, value);
    return true;
}

bool IniSectionWriter::SetBool(std::string_view key, bool value)
{
    return SetText(key, value ? kTrueText : kFalseText);
}

bool IniSectionWriter::SetInteger(std::string_view key, long long value)
{
    return SetText(key, std::to_string(value));
}

bool IniDocument::SetText(std::string_view section, std::string_view key, std::string_view value)
{
    return SectionToWrite(section).SetText(key, value);
}

bool IniDocument::SetBool(std::string_view section, std::string_view key, bool value)
{
    return SectionToWrite(section).SetBool(key, value);
}

bool IniDocument::SetInteger(std::string_view section, std::string_view key, long long value)
{
    return SectionToWrite(section).SetInteger(key, value);
}

std::optional<long long> ReadIniInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        if (value < kIntegerLimit) value = value * 10 + (c - '0');
    }
    if (value > kIntegerLimit) value = kIntegerLimit;
    return negative ? -value : value;
}

}  // namespace orvel
