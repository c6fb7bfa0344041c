#pragma once

namespace polvane {

// The product line of the array, which decides the bumper type and the cells' default type.
enum class BrandCode : int {
    TarvicKv9 = 0,
    TarvicKv7 = 1,
    TarvicKv4 = 2,
    RSarn = 3,
    DeVelt = 4,
};

} // namespace polvane
