// CSV as spreadsheets write it: quoting, line ends, the rows a problem names.
#include "files/csv_table.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

TEST(CsvTable, QuotesOnlyWhatNeedsItAndReadsEveryValueBackByteForByte)
{
    const std::vector<CsvRecord> records = {
        {"B", "P", "NAME"},         {"1", "1", "plain"}, {"", "a,b", "say \"hi\""}, {" lead", "tail ", "two\r\nlines"},
        {"\xE9t\xE9", "\xFF", "x"},
    };
    const std::string text = CsvText(records);
    EXPECT_EQ(text,
              "B,P,NAME\r\n1,1,plain\r\n,\"a,b\",\"say \"\"hi\"\"\"\r\n\" lead\",\"tail \",\"two\r\nlines\"\r\n"
              "\xE9t\xE9,\xFF,x\r\n");
    std::vector<CsvRecord> read;
    std::string problem;
    ASSERT_TRUE(ReadCsv(text, read, problem)) << problem;
    EXPECT_EQ(read, records);
}

TEST(CsvTable, ReadsWhatSpreadsheetsWriteAndNamesTheRowOfAProblem)
{
    std::vector<CsvRecord> read;
    std::string problem;
    // A byte-order mark, line feeds alone, an empty line (a row of its own), no final line end.
    ASSERT_TRUE(
        ReadCsv("\xEF\xBB\xBF"
                "a,b\n\n\"c\nd\",\"\"\nlast",
                read, problem));
    EXPECT_EQ(read, (std::vector<CsvRecord>{{"a", "b"}, {""}, {"c\nd", ""}, {"last"}}));
    ASSERT_TRUE(ReadCsv("", read, problem));
    EXPECT_TRUE(read.empty());

    const struct {
        std::string text;
        std::string problem;
    } broken[] = {
        {"a,b\n\"open,c\n", "row 2: a quoted value is never closed"},
        {"a\n\"x\nx\"\n\"q\"r,s\n", "row 3: something other than a comma follows a closing quote"},
    };
    for (const auto& b : broken) {
        read = {{"kept"}};
        EXPECT_FALSE(ReadCsv(b.text, read, problem)) << b.text;
        EXPECT_EQ(problem, b.problem);
        EXPECT_EQ(read, (std::vector<CsvRecord>{{"kept"}}));
    }
}

}  // namespace
}  // namespace orvel
