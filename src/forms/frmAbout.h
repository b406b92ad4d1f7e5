#pragma once

#include "platform/Toolkit.h"

namespace morvane {

// Version, usage text, and the maker's links.
class FrmAbout : public Form {
public:
    FrmAbout();
};

}  // namespace morvane
