#pragma once

#include "platform/CommonDialog.h"
#include "platform/Toolkit.h"

namespace morvane {

// Picks a file and shows its path, extension, display name and type name.
class FrmExtractIcon : public Form {
public:
    FrmExtractIcon();
    CommonDialog CommonDialog1;

protected:
    void ResetControls() override { CommonDialog1 = CommonDialog(); }
};

}  // namespace morvane
