#pragma once
// The window's child controls, created from the control table and found by name or by id.
#include <windows.h>

#include <map>
#include <string>
#include <string_view>

#include "app/win32/dpi.h"
#include "core/controls.h"

namespace tc {

class PictureList;
struct LocaleInfo;

class WindowControls {
public:
    // Registers the window classes of the controls: the system's common controls and the
    // program's own kinds.
    static void RegisterClasses(HINSTANCE instance);

    // Creates every control of the table inside `form` with its design state, placed at the
    // scale and with the font (the status bar keeps the system's status-bar font). The pictures
    // are those of the toolbar buttons.
    void Create(HWND form, HINSTANCE instance, const PictureList* pictures, const Scale& scale,
                HFONT font);

    // Positions and sizes at a new scale; labels without a width are sized to their text.
    void Place(const Scale& scale, HFONT font);
    // Gives every control the font (the status bar keeps the system's status-bar font).
    void SetFont(HFONT font) const;
    // Resizes a label without a table width to fit its current text.
    void FitLabel(std::string_view name, HFONT font) const;
    void SetPictures(const PictureList* pictures) const;
    // Date pickers show the short date form of the regional settings (their default format);
    // time pickers the long time form, seconds always included, since slots fire on the second.
    void SetPickerFormats(const LocaleInfo& locale) const;

    HWND Find(std::string_view name) const;
    // The table row of a control id (WM_COMMAND), or nullptr.
    static const ControlSpec* SpecOfId(int id);
    static int IdOf(const ControlSpec& entry);
    // WM_CTLCOLORSTATIC and WM_CTLCOLORBTN: labels, check boxes and radio buttons draw on the
    // window's face colour, in blue where their row says so. nullptr for any other control: it
    // keeps the system's colours.
    static HBRUSH Colours(HDC dc, HWND control);

private:
    // The toolbar's buttons and the status bar, placed by their bars.
    void PlaceBars(const Scale& scale, HFONT font) const;

    std::map<std::string, HWND, std::less<>> byName_;
};

}  // namespace tc
