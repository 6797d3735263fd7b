#pragma once

namespace host {

// Base of every object that the host component creates by class name.
class ObjetoHost {
public:
    virtual ~ObjetoHost() = default;
};

} // namespace host
