// Tables as CSV text, the way spreadsheets exchange them: values separated by commas,
// records ended by CR LF; a value holding a comma, a double quote, a line end or spaces at
// either end is written in double quotes, with each double quote doubled. Values are bytes
// and pass unchanged both ways.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvel {

using CsvRecord = std::vector<std::string>;

// The records as CSV text, each ended by "\r\n".
std::string CsvText(const std::vector<CsvRecord>& records);

// Reads CSV text into records, record n - 1 being row n as a spreadsheet counts them (an
// empty line is a record of one empty value). Records may end with "\r\n" or "\n", the
// last one also with nothing; a UTF-8 byte-order mark at the start is skipped. A quoted
// value may hold line ends. False when the text is not CSV, with `problem` naming the row
// and what is wrong: a quote that is never closed, or anything but a comma or a line end
// after a closing quote.
bool ReadCsv(std::string_view text, std::vector<CsvRecord>& records, std::string& problem);

}  // namespace orvel
