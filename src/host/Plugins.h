#pragma once

#include "ObjetoHost.h"

namespace host {

// Extensions of the point-of-sale product. The program creates one at start-up and uses nothing
// of it.
class Plugins : public ObjetoHost {};

} // namespace host
