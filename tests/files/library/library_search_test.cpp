// The library's index and its search, on records as the reader makes them.
#include <utility>

#include <gtest/gtest.h>

#include "files/library/library_index.h"
#include "files/library/library_item.h"
#include "files/library/library_table.h"

namespace orvel {
namespace {

LibraryFile Record(const std::string& folder, const std::string& below, std::vector<std::pair<int, std::string>> names)
{
    LibraryFile file;
    file.folder = folder;
    file.path = folder + "/" + below;
    file.shown_name = below;
    file.folded_name = FoldForSearch(below);
    file.preset_file = true;
    for (const auto& [number, name] : names) {
        PresetData preset;
        preset.name = name;
        file.presets.push_back(MakeLibraryPreset(static_cast<std::uint8_t>(number), preset));
    }
    return file;
}

using Found = std::vector<std::string>;  // "file number" per hit

Found Search(const LibraryIndex& index, std::string_view text)
{
    Found found;
    for (const LibraryHit& hit : index.Search(ParseLibraryQuery(text))) {
        const LibraryFile& file = index.Files()[hit.file];
        found.push_back(file.shown_name + " " + TwoDigitNumber(file.presets[hit.preset].number));
    }
    return found;
}

class LibrarySearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        index.SetFolders({"/lib", "/more"});
        // Put out of order: the index keeps the folders' order, then the names'.
        index.Put(Record("/more", "rehearsal.ini", {{37, "Crunch"}, {12, "lead rhythm"}}));
        index.Put(Record("/lib", "live/gig.ini",
                         {{11,
                           "\xC3\x89"
                           "CHO"},
                          {37, "Lead Solo"},
                          {7, "Clean"}}));
        index.Put(Record("/lib", "a.ini", {}));
    }
    LibraryIndex index;
};

TEST_F(LibrarySearch, MatchesNamesNumbersAndFilesAsTyped)
{
    const struct {
        const char* typed;
        Found found;
    } cases[] = {
        {"", {"live/gig.ini 11", "live/gig.ini 37", "live/gig.ini 07", "rehearsal.ini 37", "rehearsal.ini 12"}},
        {"  ", {"live/gig.ini 11", "live/gig.ini 37", "live/gig.ini 07", "rehearsal.ini 37", "rehearsal.ini 12"}},
        {"lead", {"live/gig.ini 37", "rehearsal.ini 12"}},
        {"LEAD", {"live/gig.ini 37", "rehearsal.ini 12"}},
        {"ead so", {"live/gig.ini 37"}},  // every word must match
        {"37", {"live/gig.ini 37", "rehearsal.ini 37"}},
        {"7", {"live/gig.ini 07"}},
        {"07", {"live/gig.ini 07"}},
        {"\xC3\xA9"
         "cho",
         {"live/gig.ini 11"}},  // accented letters ignore case too
        {"rehearsal", {"rehearsal.ini 37", "rehearsal.ini 12"}},
        {"live/ clean", {"live/gig.ini 07"}},
        {"gig 37", {"live/gig.ini 37"}},
        {"100", {}},
        {"nothing", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(Search(index, c.typed), c.found) << '"' << c.typed << '"';
}

TEST_F(LibrarySearch, KeepsOneRecordPerFileInsideItsFolders)
{
    ASSERT_EQ(index.Files().size(), 3U);
    EXPECT_EQ(index.Files()[0].shown_name, "a.ini");
    EXPECT_EQ(index.FilesOfFolder(0), (std::pair<std::size_t, std::size_t>{0, 2}));
    EXPECT_EQ(index.FilesOfFolder(1), (std::pair<std::size_t, std::size_t>{2, 3}));

    // A file read again takes its old record's place.
    EXPECT_EQ(index.Put(Record("/lib", "live/gig.ini", {{37, "Lead"}})), std::optional<std::size_t>(1));
    EXPECT_EQ(index.Files().size(), 3U);
    EXPECT_EQ(index.PresetCount(), 3U);
    EXPECT_EQ(index.Find("/lib/live/gig.ini"), std::optional<std::size_t>(1));
    EXPECT_EQ(index.Find("/lib/live/none.ini"), std::nullopt);

    EXPECT_EQ(index.Put(Record("/elsewhere", "x.ini", {})), std::nullopt);
    EXPECT_EQ(index.Remove("/lib/live"), 1U);  // a folder goes with everything below it
    EXPECT_EQ(index.Remove("/lib/liv"), 0U);
    index.SetFolders({"/more"});
    ASSERT_EQ(index.Files().size(), 1U);
    EXPECT_EQ(index.Files()[0].shown_name, "rehearsal.ini");
}

TEST(LibraryItem, TravelsAsTextAndRefusesAnythingElse)
{
    for (const LibraryItem& item : {LibraryItem{"/lib/gig.ini", false, 37}, LibraryItem{"/lib/a\nb.ini", true, 0},
                                    LibraryItem{"/lib/x.ini", false, 0}})
        EXPECT_EQ(DecodeLibraryItem(EncodeLibraryItem(item)), std::optional<LibraryItem>(item));
    for (const char* data : {"preset 100\n/x.ini", "bank 10\n/x.ini", "preset 3\n", "preset 3", "tune 3\n/x.ini",
                             "preset x\n/x.ini", "preset \n/x.ini", ""})
        EXPECT_EQ(DecodeLibraryItem(data), std::nullopt) << data;
}

}  // namespace
}  // namespace orvel
