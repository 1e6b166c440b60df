#include "toolbox/toolbox_window.h"

#include <string>

#include "shell/handles.h"
#include "toolbox/launcher.h"
#include "toolbox/number_box_control.h"
#include "toolbox/panels.h"
#include "toolbox/phone_lookup.h"
#include "toolbox/picture_button.h"
#include "toolbox/transparent_label.h"

namespace quorrin {
namespace {

// Regular weight, 19 pixels high (14 points at 96 dots per inch), no face
// name: the system picks the face for the default character set.
UniqueGdi<HFONT> make_label_font() {
    LOGFONTA font{};
    font.lfHeight = -19;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    return UniqueGdi<HFONT>(CreateFontIndirectA(&font));
}

RECT rect_of(const ControlDesign& d) { return RECT{d.left, d.top, d.left + d.width, d.top + d.height}; }

}  // namespace

ToolboxWindow::ToolboxWindow(HWND owner_window, const PictureSet& pictures)
    : Window(design(), owner_window), pictures_(pictures), font_(make_label_font()) {}

ToolboxWindow::~ToolboxWindow() {
    for (auto& c : controls_) c->detach();
}

WindowDefinition ToolboxWindow::design() {
    WindowDefinition d;
    d.class_name = "QuorrinToolbox";
    d.title = "Quorrin";
    d.width = kToolboxWidth;
    d.height = kToolboxHeight;
    d.visible = false;
    d.in_taskbar = true;
    d.topmost = true;
    for (const ControlDesign& c : kToolboxControls) d.controls.push_back({std::string(c.name), c.visible});
    return d;
}

void ToolboxWindow::create_controls() {
    const Picture background = pictures_.get(kBackgroundPicture);
    const auto& current = definition().controls;  // visibility as the definition has it now
    for (std::size_t i = 0; i < kToolboxControls.size(); ++i) {
        const ControlDesign& d = kToolboxControls[i];
        const int id = kFirstControlId + static_cast<int>(i);
        const std::string name(d.name);
        const bool visible = current[i].visible;
        std::unique_ptr<ChildControl> control;
        switch (d.kind) {
            case ControlKind::picture_button: {
                const std::string hover = std::string(d.picture) + "_hover";
                PictureButton::Pictures pictures{pictures_.get(d.picture), pictures_.get(hover)};
                const Action action = d.action;
                control = std::make_unique<PictureButton>(hwnd(), name.c_str(), rect_of(d), id, visible, d.hand_pointer,
                                                          pictures, [this, action] { run(action); });
                break;
            }
            case ControlKind::label: {
                const std::string caption(d.caption);
                control = std::make_unique<TransparentLabel>(hwnd(), caption.c_str(), rect_of(d), id, visible,
                                                             font_.get(), d.text_colour, background);
                break;
            }
            case ControlKind::number_box: {
                auto box = std::make_unique<NumberBoxControl>(hwnd(), rect_of(d), id, visible, font_.get());
                number_box_ = box.get();
                control = std::move(box);
                break;
            }
        }
        add_control(d.name, control->hwnd());
        controls_.push_back(std::move(control));
    }
    // A label reaches 8 pixels into what stands right of it; what stands
    // there is drawn on top.
    for (std::string_view name : {"编辑框1", "卡号归属地显示框", "卡号类型显示框", "邮政编码显示框", "区号显示框"})
        SetWindowPos(control(name), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ToolboxWindow::destroying() {
    for (auto& c : controls_) c->detach();
    controls_.clear();
    number_box_ = nullptr;
}

void ToolboxWindow::show_lookup_panel() {
    for (const VisibilityStep& step : kShowLookupPanel) set_control_visible(step.control, step.visible);
}

void ToolboxWindow::show_launcher_panel() {
    for (const VisibilityStep& step : kShowLauncherPanel) set_control_visible(step.control, step.visible);
}

void ToolboxWindow::hide_toolbox_window() { set_visible(false); }

void ToolboxWindow::close_toolbox_window() { destroy(); }

Text ToolboxWindow::number_text() const { return number_box_ ? number_box_->text() : Text(); }

void ToolboxWindow::set_caption(std::string_view label, const Text& caption) {
    if (HWND c = control(label)) SetWindowTextA(c, caption.c_str());
}

void ToolboxWindow::run(Action action) {
    switch (action) {
        case Action::none:
            break;
        case Action::hide_window:
            hide_toolbox_window();
            break;
        case Action::close_window:
            close_toolbox_window();
            break;
        case Action::open_calculator:
            open_calculator();
            break;
        case Action::open_paint:
            open_paint();
            break;
        case Action::show_lookup_panel:
            show_lookup_panel();
            break;
        case Action::open_notepad:
            open_notepad();
            break;
        case Action::open_navigation_page:
            open_navigation_page();
            break;
        case Action::open_search_page:
            open_search_page();
            break;
        case Action::open_pc_software_page:
            open_pc_software_page();
            break;
        case Action::open_phone_apps_page:
            open_phone_apps_page();
            break;
        case Action::show_launcher_panel:
            show_launcher_panel();
            break;
        case Action::lookup_phone_number:
            lookup_phone_number(*this);
            break;
    }
}

void ToolboxWindow::paint() {
    const Painting painting(hwnd());
    HDC dc = painting.dc();
    const Picture background = pictures_.get(kBackgroundPicture);
    if (background.bitmap && background.width > 0 && background.height > 0) {
        for (int y = 0; y < kToolboxHeight; y += background.height)
            for (int x = 0; x < kToolboxWidth; x += background.width) draw_picture(dc, background, x, y);
    } else {
        FillRect(dc, &painting.area(), GetSysColorBrush(COLOR_BTNFACE));
    }
}

std::optional<LRESULT> ToolboxWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST: {
            // The background moves the window as a title bar would.
            const LRESULT hit = DefWindowProcA(hwnd(), message, wparam, lparam);
            return hit == HTCLIENT ? HTCAPTION : hit;
        }
        case WM_KEYDOWN:
            if (wparam == VK_ESCAPE) {
                PostMessageA(hwnd(), WM_CLOSE, 0, 0);
                return 0;
            }
            return std::nullopt;
        case WM_HELP:
            return TRUE;  // F1 does nothing
        case WM_CTLCOLOREDIT: {
            HDC dc = reinterpret_cast<HDC>(wparam);
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        }
        default:
            return std::nullopt;
    }
}

}  // namespace quorrin
