// Shared by the window tests: the program's seams replaced by recorders,
// and a user's keys and clicks delivered through the program's own loop.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Declares.h"
#include "platform/Toolkit.h"

namespace morvane::testing {

class RecordingEnvironment : public Environment {
public:
    int ends = 0;
    std::vector<std::wstring> fatalErrors;
    std::deque<std::optional<std::wstring>> openAnswers;  // what the user picks; nullopt cancels
    std::vector<std::wstring> openInitialNames;           // what each dialog opened with
    std::vector<HWND> openOwners;

    void End() override { ++ends; }
    void ShowFatalError(std::wstring_view message) override { fatalErrors.emplace_back(message); }
    BOOL ShowOpenDialog(OPENFILENAMEW* ofn) override;
};

class RecordingShell : public Declares::Shell {
public:
    struct Execution {
        HWND owner;
        std::wstring verb, file;
        bool parametersNull, directoryNull;
        INT show;
    };
    struct Query {
        std::wstring path;
        UINT flags;
    };
    std::vector<Execution> executions;
    std::vector<Query> queries;
    std::map<std::wstring, std::pair<std::wstring, std::wstring>> knownFiles;  // path -> display, type name

    HINSTANCE Execute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                      INT show) override;
    DWORD_PTR GetFileInfo(LPCWSTR path, DWORD attributes, SHFILEINFOW* info, UINT infoSize, UINT flags) override;
};

class GuiTest : public ::testing::Test {
protected:
    RecordingEnvironment env;
    RecordingShell shell;

    void SetUp() override;
    void TearDown() override;

    // Each returns true when the program asked to quit meanwhile.
    static bool Pump() { return PumpMessages(); }
    static bool Type(std::wstring_view text);  // WM_CHAR to the focused control, as typing arrives
    static bool Key(UINT virtualKey);          // WM_KEYDOWN and WM_KEYUP to the focused control
    static bool Click(HWND control);           // a mouse click: press and release
    static std::wstring WindowText(HWND hwnd);
    static SIZE ClientSize(HWND hwnd);
    static RECT RectInParent(HWND control);
};

}  // namespace morvane::testing
