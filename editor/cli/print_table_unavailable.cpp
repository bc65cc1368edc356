// print-table in a build without Qt: says so instead of printing.
#include <iostream>

#include "print_table.h"

namespace orvel {

int PrintTableCommand(const std::string&, const std::string&)
{
    std::cerr << "print-table: this orvel-cli was built without Qt (ORVEL_BUILD_UI=OFF)\n";
    return 1;
}

}  // namespace orvel
