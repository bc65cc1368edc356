// print-table in a build without Qt: says so instead of printing.
#include "cli/companion.h"
#include "cli/print_table.h"

namespace orvel {

int PrintTableCommand(const std::string&, const std::string&)
{
    return Fail("print-table: this orvel-cli was built without Qt (ORVEL_BUILD_UI=OFF)");
}

}  // namespace orvel
