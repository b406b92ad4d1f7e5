// The Open dialog, as a form uses it: show it, then read the chosen name.
#pragma once

#include <string>

#include "platform/Toolkit.h"

namespace morvane {

class CommonDialog {
public:
    // Modal to its owner window only. A cancel leaves FileName as it was.
    void ShowOpen(HWND owner);
    const std::wstring& FileName() const { return fileName_; }
    // As if the user had chosen this file in the dialog.
    void SetFileName(std::wstring name) { fileName_ = std::move(name); }

private:
    std::wstring fileName_;
};

}  // namespace morvane
