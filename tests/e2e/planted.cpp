// Stands in for a DLL that someone left in a downloads folder under the name
// of a system library: when any process loads it, it leaves a mark beside
// itself (NAME.dll.loaded) and does nothing else.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t mark[MAX_PATH + 16] = {};
        const DWORD length = GetModuleFileNameW(self, mark, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            lstrcpyW(mark + length, L".loaded");
            HANDLE file = CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        }
    }
    return TRUE;
}
