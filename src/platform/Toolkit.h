// A small forms toolkit over Win32: top-level windows built from a design
// that is plain data, two events (click, change), twips scaled at each
// window's own DPI, and the message loop that gives forms their keyboard.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/TextWrap.h"

namespace morvane {

class Form;
using Handler = void (*)(Form&);
// A file or folder dropped on a form, by its full path.
using DropHandler = void (*)(Form&, const std::wstring& path);

enum class ControlKind { Label, TextBox, Button, StatusBar, Picture };

// Settings a control row may carry; combine with |.
enum ControlFlag : unsigned {
    kMultiLine = 1u << 0,  // text box: several lines, wrapped at its width
    kLocked = 1u << 1,     // text box: focusable and selectable, not editable
    kDefault = 1u << 2,    // button: Enter presses it
    kCancel = 1u << 3,     // button: Esc presses it
    kAutoSize = 1u << 4,   // label: width follows its caption, left edge kept
    kWrap = 1u << 5,       // label: caption wraps within the label's width
    kLink = 1u << 6,       // label: hand pointer while the mouse is over it
};

struct Colour {
    enum class Kind { Default, System, Rgb } kind = Kind::Default;
    unsigned value = 0;  // system colour index or COLORREF
    static constexpr Colour Sys(int index) { return {Kind::System, static_cast<unsigned>(index)}; }
    static constexpr Colour Rgb(int r, int g, int b) { return {Kind::Rgb, static_cast<unsigned>(RGB(r, g, b))}; }
};

struct ControlDesign {
    ControlKind kind;
    std::wstring_view name;  // the design name, as handlers and tests refer to it
    int index;               // member of a control array, or -1
    std::wstring_view caption;
    int leftTw, topTw, widthTw, heightTw;
    int tabIndex;
    unsigned flags = 0;
    Colour textColour = {};
    Handler onClick = nullptr;
    Handler onChange = nullptr;
    int resourceId = 0;  // picture: the icon it shows; link: its pointer
};

struct PanelDesign {
    std::wstring_view text;
    int widthTw;
};

struct LineDesign {
    int x1Tw, y1Tw, x2Tw, y2Tw;
    COLORREF colour;
    int widthPx;       // at 96 DPI, scaled like everything else
    bool insideSolid;  // drawn inside its bounds rather than centred on them
};

struct FormDesign {
    std::wstring_view name;
    std::wstring_view caption;
    int clientWidthTw, clientHeightTw;
    int iconId;
    bool minimizeBox;
    std::span<const ControlDesign> controls;
    std::span<const PanelDesign> panels = {};
    std::span<const LineDesign> lines = {};
    DropHandler onDrop = nullptr;  // the form takes files dragged onto it
};

// How a wrapping label lays out its caption: the lines, and the distance
// between them, which shrinks towards the glyphs' own height when the label
// is short of room.
struct WrappedText {
    std::vector<TextLine> lines;
    int pitchPx = 0;
    int glyphHeightPx = 0;
};

// Twips are 1/1440 inch: 15 to a pixel at 96 DPI.
int TwipsToPixels(int twips, int dpi);

// The parts of the outside world that tests replace: ending the process,
// reporting a fatal error.
class Environment {
public:
    virtual ~Environment() = default;
    virtual void End();
    virtual void ShowFatalError(std::wstring_view message);
};
Environment& Env();
void SetEnvironment(Environment* env);  // nullptr restores the real one

// Ends the program at once: no window event runs on the way.
void End();
// The toolkit's run-time error: a message naming what failed, then the end.
void RaiseRuntimeError(std::wstring_view what);

// A top-level window loaded from its design. The object outlives its window:
// Unload destroys the window, and the next Show loads it afresh.
class Form {
public:
    explicit Form(const FormDesign& design);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    void Show();    // load if needed, show modeless without owner, bring to front
    void Unload();  // close and discard the window and its controls
    bool IsLoaded() const { return hwnd_ != nullptr; }
    HWND hWnd() const { return hwnd_; }
    UINT Dpi() const { return dpi_; }

    const FormDesign& Design() const { return design_; }
    HWND Control(std::wstring_view name, int index = -1) const;
    WrappedText WrappedLayout(std::wstring_view name, int index = -1) const;
    std::wstring Text(std::wstring_view name, int index = -1) const;
    void SetText(std::wstring_view name, std::wstring_view text, int index = -1);
    void SetCaption(std::wstring_view name, std::wstring_view caption, int index = -1);
    // Where typing would continue after text the program put there.
    void PlaceCaretAtEnd(std::wstring_view name, int index = -1);

    // Gives the form its keyboard (Tab, Enter, Esc) before normal dispatch.
    static bool PreTranslate(MSG& msg);
    // Number of loaded forms; the program ends when it drops to zero.
    static int LoadedCount();

protected:
    // Controls that live outside the window (the Open dialog) start afresh
    // with each load, as the window's own controls do.
    virtual void ResetControls() {}

private:
    static Form* FromHandle(HWND hwnd);  // our own windows only
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void Load();
    void CreateControls();
    void ApplyDpi(UINT dpi);
    void LoadIcons();
    bool TextsFit() const;
    bool CaptionsFitTheirRows(HFONT font) const;
    void PlaceControl(std::size_t i);
    void LayoutStatusBar();
    void Paint();
    void Click(std::size_t i);
    int FindRow(std::wstring_view name, int index) const;
    int RowOfId(int controlId) const;  // the design row of one of our controls, or -1
    int FindFlag(unsigned flag) const;
    LRESULT ControlColour(HDC dc, HWND control);
    WrappedText LayoutWrappedText(HDC dc, std::size_t row, int widthPx, int heightPx) const;
    void PaintWrappedLabel(const DRAWITEMSTRUCT& item, std::size_t row);
    void Drop(HANDLE drop);  // an HDROP

    const FormDesign& design_;
    HWND hwnd_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    HFONT font_ = nullptr;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    std::vector<HWND> controls_;          // parallel to design_.controls
    std::vector<std::wstring> captions_;  // labels' current captions, for sizing
};

// Runs the program's messages until the last form is unloaded.
int RunMessageLoop();
// Handles every message already queued (tests use it in place of the loop);
// true when the program asked to quit meanwhile.
bool PumpMessages();

}  // namespace morvane
