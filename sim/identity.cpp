#include "sim/identity.h"

#include <stdexcept>

#include "sim/controller_constants.h"

namespace kpxsim {

namespace {

char Digit(int value)
{
    return static_cast<char>('0' + value);
}

}  // namespace

std::string IdentityText(const Options& options)
{
    if (options.identity) {
        if (options.identity->size() != wire::kIdentityLength)
            throw std::invalid_argument("kpx-sim: the identity must be exactly six characters");
        return *options.identity;
    }
    if (options.model != 2 && options.model != 3) throw std::invalid_argument("kpx-sim: the model must be 2 or 3");
    const int version = options.version;
    if (options.form == IdentityForm::Long) {
        if (version < 0 || version > 90 || version % 10 != 0)
            throw std::invalid_argument("kpx-sim: a long identity needs a firmware version of 0, 10, 20, ... 90");
        return std::string{"KPX"} + Digit(options.model) + '-' + Digit(version / 10);
    }
    if (version < 0 || version > 99)
        throw std::invalid_argument("kpx-sim: a short identity needs a firmware version of 0 to 99");
    return std::string{"KP"} + Digit(options.model) + '-' + Digit(version / 10) + Digit(version % 10);
}

}  // namespace kpxsim
