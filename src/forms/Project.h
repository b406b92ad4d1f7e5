// The program's three windows and where they live.
#pragma once

#include <optional>
#include <string>

#include "platform/Toolkit.h"

namespace morvane {

class Form1;
class FrmExtractIcon;
class FrmAbout;

// Loads and shows the start window. Nothing else runs at start, unless the
// command line named a file: then its extension is looked up as if typed.
Form1& StartProgram(const std::optional<std::wstring>& path = std::nullopt);

// The program-wide slots of the secondary windows: filled on first use,
// never emptied. A closed window stays in its slot and loads afresh.
FrmExtractIcon& ExtractIconSlot();
FrmAbout& AboutSlot();

// Destroys every window and empties the slots, so each test starts as the
// program does.
void ResetProgramForTesting();

// Opens a web page in the browser, maximised and owned by no window.
void OpenWebPage(const std::wstring& address);

// The maker's addresses, fixed at build time.
std::wstring HomePageAddress();
std::wstring UpdatePageAddress();
std::wstring GuestbookAddress();
std::wstring MailAddress();

}  // namespace morvane
