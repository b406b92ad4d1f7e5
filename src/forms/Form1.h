#pragma once

#include "dictionary/LookupExtension.h"
#include "platform/Toolkit.h"

namespace morvane {

// The main window: type an extension, read its description.
class Form1 : public Form, public ExtensionLookupView {
public:
    Form1();
    std::u16string InputText() const override;
    void SetDescription(std::u16string_view description) override;
};

}  // namespace morvane
