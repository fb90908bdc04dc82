#include "dialogs/single_precision.h"

namespace dialogs {

float toSingle(double v) {
    return static_cast<float>(v);
}

}  // namespace dialogs
