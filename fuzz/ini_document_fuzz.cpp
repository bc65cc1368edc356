// Reads arbitrary text with IniDocument and with SimpleIni, the INI library whose reading and
// writing it reproduces, and checks that both find the same values (under names in other
// case too) and write the same text: as read, and after keys are set in every section (one
// that is there, named in other case, and one named as a key of the next section, with line
// breaks in the value) and a new section is added. A line that opens a section name without
// closing it is a comment to IniDocument, where SimpleIni loses the keys after it: SimpleIni
// is given such lines as comments.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#ifndef SI_CONVERT_ICU
#define SI_CONVERT_ICU
#endif
#include <SimpleIni.h>

#include "files/ini_document.h"

namespace {

void Check(bool condition)
{
    if (!condition) __builtin_trap();
}

// The text with a ';' before each line that opens a section name without closing it.
std::string WithOpenSectionsCommented(std::string_view text)
{
    std::string fixed;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        const std::size_t first = line.find_first_not_of(" \t");
        if (first != std::string_view::npos && line[first] == '[' && line.find(']', first) == std::string_view::npos) {
            fixed.append(line.substr(0, first));
            fixed += ';';
            fixed.append(line.substr(first));
        } else {
            fixed.append(line);
        }
        if (end < text.size()) fixed += text[end];
        start = end + 1;
    }
    return fixed;
}

std::string Swapped(const char* name)
{
    std::string swapped(name);
    for (char& c : swapped) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return swapped;
}

std::string OneLine(std::string value)
{
    std::replace(value.begin(), value.end(), '\r', ' ');
    std::replace(value.begin(), value.end(), '\n', ' ');
    return value;
}

CSimpleIniA::TNamesDepend InOrder(CSimpleIniA::TNamesDepend names)
{
    names.sort(CSimpleIniA::Entry::LoadOrder());
    return names;
}

void CheckSameText(const orvel::IniDocument& document, const CSimpleIniA& reference)
{
    std::string ours;
    std::string theirs;
    Check(document.Render(ours));
    Check(reference.Save(theirs) >= 0);
    // Where SimpleIni would begin with a UTF-8 signature, IniDocument puts another in front.
    if (theirs.starts_with("\xEF\xBB\xBF")) theirs.insert(0, "\xEF\xBB\xBF");
    Check(ours == theirs);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    orvel::IniDocument document;
    Check(document.Parse(text));

    // SimpleIni drops one UTF-8 signature itself; it gets the rest with those lines commented.
    std::string_view plain = text.substr(0, text.find('\0'));
    const std::size_t signature = plain.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    const std::string fixed =
        std::string(plain.substr(0, signature)) + WithOpenSectionsCommented(plain.substr(signature));
    CSimpleIniA reference(false, false, false);
    reference.SetSpaces(false);
    Check(reference.LoadData(fixed.data(), fixed.size()) >= 0);
    CheckSameText(document, reference);

    CSimpleIniA::TNamesDepend section_list;
    reference.GetAllSections(section_list);
    const CSimpleIniA::TNamesDepend sections = InOrder(section_list);
    std::vector<std::string> first_keys;
    for (const CSimpleIniA::Entry& section : sections) {
        Check(document.HasSection(section.pItem) && document.HasSection(Swapped(section.pItem)));
        CSimpleIniA::TNamesDepend key_list;
        reference.GetAllKeys(section.pItem, key_list);
        const CSimpleIniA::TNamesDepend keys = InOrder(key_list);
        for (const CSimpleIniA::Entry& key : keys) {
            const std::string_view value = reference.GetValue(section.pItem, key.pItem, "");
            Check(document.Value(section.pItem, key.pItem) == value);
            Check(document.Section(Swapped(section.pItem)).Value(Swapped(key.pItem)) == value);
        }
        first_keys.push_back(keys.empty() ? "" : keys.front().pItem);
    }
    Check(!document.HasSection("\x01 none"));

    std::size_t index = 0;
    for (const CSimpleIniA::Entry& section : sections) {
        const std::string name = section.pItem;
        const std::string value = "set\r\n" + std::to_string(index) + "\n";
        if (!first_keys[index].empty()) {
            const std::string key = Swapped(first_keys[index].c_str());
            Check(document.SetText(name, key, value));
            Check(reference.SetValue(name.c_str(), key.c_str(), OneLine(value).c_str()) >= 0);
        }
        const std::string& next_key = first_keys[(index + 1) % first_keys.size()];
        Check(document.SectionToWrite(Swapped(name.c_str())).SetText(next_key, name));
        Check(reference.SetValue(name.c_str(), next_key.c_str(), name.c_str()) >= 0);
        ++index;
    }
    Check(document.SetInteger("added", "count", static_cast<long long>(index)));
    Check(reference.SetValue("added", "count", std::to_string(index).c_str()) >= 0);
    CheckSameText(document, reference);
    return 0;
}
