#include "platform/CommonDialog.h"

#include <vector>

#include "platform/Declares.h"

namespace morvane {

void CommonDialog::ShowOpen(HWND owner) {
    // Room for the longest path Windows allows (\\?\ names reach 32,767 units).
    std::vector<wchar_t> buffer(32768, L'\0');
    fileName_.copy(buffer.data(), buffer.size() - 1);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (Declares::Api().ShowOpenDialog(&ofn)) {
        buffer.back() = L'\0';
        fileName_ = buffer.data();
    }
}

}  // namespace morvane
