// An INI text as every file of ours reads it: through SimpleIni, section and key names
// matched without regard to case, 8-bit text kept as bytes, one value per key, values on
// one line, written back as key=value with sections, keys and comments it was given kept
// in their places and new ones added after them.
#pragma once

#ifndef SI_CONVERT_ICU
#define SI_CONVERT_ICU
#endif
#include <SimpleIni.h>

#include <optional>
#include <string>
#include <string_view>

namespace orvel {

// The keys of one section of an IniDocument, found once: looking a key up here costs no
// search for the section. Valid while the document stands and is not changed.
class IniSectionKeys {
public:
    // The value of a key; nullopt when the section or the key is missing.
    std::optional<std::string_view> Value(const std::string& key) const;
    std::string Text(const std::string& key, std::string_view fallback) const;
    bool Bool(const std::string& key, bool fallback) const;

private:
    friend class IniDocument;
    explicit IniSectionKeys(const CSimpleIniA::TKeyVal* keys) : keys_(keys) {}
    const CSimpleIniA::TKeyVal* keys_;  // null: no such section
};

class IniDocument {
public:
    IniDocument();
    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;

    // Takes in a whole text; false when it cannot be taken (out of memory).
    bool Parse(std::string_view text);

    // Whether the text has this section (its name matched without regard to case).
    bool HasSection(const std::string& section) const;

    // The value of a key; nullopt when the section or the key is missing.
    std::optional<std::string_view> Value(const std::string& section, const std::string& key) const;

    // The keys of a section, for reading many of them (none when it is missing).
    IniSectionKeys Section(const std::string& section) const;

    // The value of a key, or `fallback` when it is missing.
    std::string Text(const std::string& section, const std::string& key, std::string_view fallback) const;

    // A value read as an integer (see ReadIniInteger); `fallback` when missing or not a number.
    long long Integer(const std::string& section, const std::string& key, long long fallback) const;

    // An integer value, non-zero being true; `fallback` when missing or not a number.
    bool Bool(const std::string& section, const std::string& key, bool fallback) const;

    // Sets a key, updating it where it stands or adding it at the end of its section (and
    // the section at the end of the text). A line break in the value would end the value
    // early and start a line of its own, so each one is written as a space.
    bool SetText(const std::string& section, const std::string& key, std::string_view value);
    bool SetBool(const std::string& section, const std::string& key, bool value);
    bool SetInteger(const std::string& section, const std::string& key, long long value);

    // The whole text; false when it cannot be written (out of memory).
    bool Render(std::string& text) const;

private:
    CSimpleIniA ini_;
};

// Reads an integer as written in INI files: an optional sign and decimal digits. A value too
// big to hold stops at +/- 10^15. nullopt for anything else, the empty text included.
std::optional<long long> ReadIniInteger(std::string_view text);

}  // namespace orvel
