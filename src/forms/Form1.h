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
    // A file dropped on the window or named on the command line: its
    // extension goes into the input as if typed, and is looked up.
    void TypeExtensionOf(const std::wstring& path);
};

}  // namespace morvane
