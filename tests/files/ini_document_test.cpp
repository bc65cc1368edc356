// IniDocument reads and writes what SimpleIni (with the settings every file of ours used
// with it) reads and writes: the same values, under names in any case, and the same text,
// as read and after keys and sections are set, byte for byte.
#include <gtest/gtest.h>

#ifndef SI_CONVERT_ICU
#define SI_CONVERT_ICU
#endif
#include <string>
#include <vector>

#include <SimpleIni.h>

#include "files/ini_document.h"

namespace orvel {
namespace {

std::string OtherCase(const std::string& name)
{
    std::string swapped = name;
    for (char& c : swapped) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return swapped;
}

std::vector<std::string> InOrder(CSimpleIniA::TNamesDepend names)
{
    names.sort(CSimpleIniA::Entry::LoadOrder());
    std::vector<std::string> ordered;
    for (const CSimpleIniA::Entry& entry : names) ordered.emplace_back(entry.pItem);
    return ordered;
}

std::string Written(const IniDocument& document)
{
    std::string text;
    EXPECT_TRUE(document.Render(text));
    return text;
}

// What SimpleIni writes; but where it would begin with a UTF-8 signature, which its next
// read would take off a key's name, IniDocument puts another in front.
std::string Written(const CSimpleIniA& reference)
{
    std::string text;
    EXPECT_GE(reference.Save(text), 0);
    if (text.starts_with("\xEF\xBB\xBF")) text.insert(0, "\xEF\xBB\xBF");
    return text;
}

// Every value of the reference read back from the document: in order through one section's
// keys, backwards, and under names in the other case.
void ExpectSameValues(const IniDocument& document, const CSimpleIniA& reference)
{
    CSimpleIniA::TNamesDepend sections;
    reference.GetAllSections(sections);
    for (const std::string& section : InOrder(sections)) {
        SCOPED_TRACE("section [" + section + "]");
        EXPECT_TRUE(document.HasSection(OtherCase(section)));
        CSimpleIniA::TNamesDepend key_list;
        reference.GetAllKeys(section.c_str(), key_list);
        const std::vector<std::string> keys = InOrder(key_list);
        const IniSectionKeys in_order = document.Section(section);
        for (const std::string& key : keys)
            EXPECT_EQ(in_order.Value(key), std::string_view(reference.GetValue(section.c_str(), key.c_str()))) << key;
        const IniSectionKeys backwards = document.Section(OtherCase(section));
        for (auto key = keys.rbegin(); key != keys.rend(); ++key)
            EXPECT_EQ(backwards.Value(OtherCase(*key)),
                      std::string_view(reference.GetValue(section.c_str(), key->c_str())))
                << *key;
    }
}

TEST(IniDocument, ReadsAndWritesAsSimpleIni)
{
    struct Case {
        const char* what;
        std::string text;
        std::string as_simpleini;  // what SimpleIni is given for it, when not the same
    };
    const Case cases[] = {
        {"as the editor writes it", "[preset11]\nmodifier=PRESET\nname=\n\n\n[settings]\nkey1=cb3\n", ""},
        {"an empty text", "", ""},
        {"spaces and tabs around names and values", "  key = value  \n[ sec ]  after\n\tk2\t=\t v 2 \t\r\n", ""},
        {"every kind of line break", "[a]\r\nx=1\ry=2\n\r\n[b]\rz=3", ""},
        {"comments above the file, sections and keys",
         "; file\n# more\n\n; above a\n\n  ; still above a\n[a]\n; above x\nx=1\n\n;above b\n[b]\ny=2\n; left at the "
         "end\n",
         ""},
        {"a comment runs to the end of the text", "[a]\nx=1\n; last", ""},
        {"sections and keys again in other case",
         "[Sec]\nKey=1\n[sec]\nkey=2\nother=3\n[SEC]\nKEY=4\n; dropped\nkey=5\n", ""},
        {"keys before any section, an unnamed one, lines that hold no key",
         "top=1\nno equals sign\n=no name\n\n[]\nagain=2\n[x]\nk=v\n", ""},
        {"the unnamed section goes first", "[a]\nx=1\n[]\ny=2\n", ""},
        {"a UTF-8 signature", "\xEF\xBB\xBF[a]\nk=v\n", ""},
        {"a key named with a UTF-8 signature first", "\n\xEF\xBB\xBF=\n\xEF\xBB\xBFk=v\n[a]\n", ""},
        {"a NUL byte ends the text", std::string("[a]\nk=v\n\0[b]\nj=w\n", 17), ""},
        {"bytes above 127 keep their case", "[\xC4]\n\xC9=\xE9\n[\xE4]\n\xC9=2\n", ""},
        {"brackets and equals signs inside", "[a]b]\nk[1]=v=w\n[c] = d\n", ""},
        {"lines that open a section name without closing it are comments",
         "[open\nk=1\n[a]\n  [half\nx=2\n; c\n\n [also\ny=3\n[end",
         ";[open\nk=1\n[a]\n  ;[half\nx=2\n; c\n\n ;[also\ny=3\n;[end"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        IniDocument document;
        ASSERT_TRUE(document.Parse(c.text));
        const std::string& given = c.as_simpleini.empty() ? c.text : c.as_simpleini;
        CSimpleIniA reference(false, false, false);
        reference.SetSpaces(false);
        ASSERT_GE(reference.LoadData(given.data(), given.size()), 0);
        EXPECT_EQ(Written(document), Written(reference));
        ExpectSameValues(document, reference);

        // Each section's first key again, named in other case, with line breaks in the value;
        // a key that is new; a NUL byte ending a value; a new section, its keys out of order.
        CSimpleIniA::TNamesDepend sections;
        reference.GetAllSections(sections);
        for (const std::string& section : InOrder(sections)) {
            CSimpleIniA::TNamesDepend keys;
            reference.GetAllKeys(section.c_str(), keys);
            if (!keys.empty()) {
                const std::string key = OtherCase(InOrder(keys).front());
                EXPECT_TRUE(document.SetText(section, key, "new\r\nvalue"));
                reference.SetValue(section.c_str(), key.c_str(), "new  value");
            }
            IniSectionWriter writer = document.SectionToWrite(OtherCase(section));
            EXPECT_TRUE(writer.SetText("added", std::string("cut\0here", 8)));
            reference.SetValue(section.c_str(), "added", "cut");
        }
        IniSectionWriter fresh = document.SectionToWrite("Fresh");
        EXPECT_TRUE(fresh.SetInteger("k2", -2) && fresh.SetBool("k1", true) && fresh.SetText("K2", "two"));
        reference.SetValue("Fresh", "k2", "two");
        reference.SetValue("Fresh", "k1", "1");
        EXPECT_EQ(Written(document), Written(reference));
        ExpectSameValues(document, reference);
    }
}

TEST(IniDocument, ReadsOnlyWhatIsThere)
{
    IniDocument document;
    ASSERT_TRUE(document.Parse("[a]\nx=7\nflag=1\nword=yes\n"));
    EXPECT_FALSE(document.HasSection("b"));
    EXPECT_EQ(document.Value("b", "x"), std::nullopt);
    EXPECT_EQ(document.Value("a", "y"), std::nullopt);
    EXPECT_EQ(document.Integer("a", "x", 3), 7);
    EXPECT_EQ(document.Integer("a", "word", 3), 3);
    EXPECT_TRUE(document.Bool("a", "flag", false));
    EXPECT_TRUE(document.Bool("a", "word", true));
    EXPECT_EQ(document.Text("a", "missing", "fallback"), "fallback");
    EXPECT_EQ(document.Section("b").Value("x"), std::nullopt);
}

// A key whose name begins like a UTF-8 signature, first in the text: the read after a save
// must not take the signature for the text's own.
TEST(IniDocument, WhatItWritesReadsBackTheSame)
{
    IniDocument document;
    ASSERT_TRUE(document.Parse("\n\xEF\xBB\xBFkey=v\n[a]\nx=1\n"));
    IniDocument again;
    ASSERT_TRUE(again.Parse(Written(document)));
    EXPECT_EQ(again.Value("", "\xEF\xBB\xBFkey"), "v");
    EXPECT_EQ(Written(again), Written(document));
}

}  // namespace
}  // namespace orvel
