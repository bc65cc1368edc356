// Refuses a damaged firmware header before kpx2 is built from it, and writes the CRC of each
// block as the header gives it, for the library to check its built-in image against.
//
//   kpx2_header_check <firmware header> <generated header>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "loader/header_table_check.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: kpx2_header_check <firmware header> <generated header>\n";
        return 2;
    }
    const std::string header_path = argv[1];
    std::ifstream in(header_path, std::ios::binary);
    if (!in) {
        std::cerr << "kpx2: cannot read the firmware header " << header_path << '\n';
        return 1;
    }
    std::ostringstream content;
    content << in.rdbuf();
    const kpx2::HeaderTableCheck check = kpx2::CheckHeaderTable(content.str());
    if (!check.problems.empty()) {
        for (const std::string& problem : check.problems)
            std::cerr << "kpx2: damaged firmware header " << header_path << ": " << problem << '\n';
        std::cerr << "kpx2: refusing to build the library with this firmware image\n";
        return 1;
    }

    std::ostringstream out;
    out << "// Generated from " << header_path << " by kpx2_header_check: the CRC-16/ARC of each block.\n"
        << "#pragma once\n#include <cstdint>\n"
        << "inline constexpr std::uint16_t kHeaderBlockCrcs[] = {";
    for (std::size_t i = 0; i < check.block_crcs.size(); ++i)
        out << (i % 12 == 0 ? "\n    " : " ") << check.block_crcs[i] << ',';
    out << "\n};\n";
    const std::string path = argv[2];
    const std::string partial = path + ".partial";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file << out.str();
        if (!file.flush()) {
            std::cerr << "kpx2_header_check: cannot write " << partial << '\n';
            return 1;
        }
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        std::cerr << "kpx2_header_check: cannot rename " << partial << " to " << path << '\n';
        return 1;
    }
    return 0;
}
