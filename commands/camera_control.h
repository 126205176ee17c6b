// What the mouse, the wheel, the keys and the exaggeration slider do to the camera: the model moves, the camera
// stays (pan changes `position`, zoom `scale`, turn `rotation.z`).
//
// Plain functions over the model state and the drag bookkeeping of the main window, so every formula can be
// checked without a window. The window's handlers only translate Qt events into these calls.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "commands/model_state.h"

namespace morvane {

struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Bookkeeping of the drags, wheel and keys: fields of the main window, with the names its handlers use.
struct CameraFields {
    ScreenPoint previousPosition;  // last screen position seen by the left drag
    bool firstMouse_left = true;   // the next move with that button starts a new drag
    bool firstMouse_right = true;
    bool firstMouse_middle = true;
    float yaw = 0.0f, pitch = 0.0f;                              // pan of the current left drag, model units
    float obj_lastX = 0.0f, obj_lastY = 0.0f, obj_lastZ = 0.0f;  // `position` when the left drag started
    float pitch_right = 0.0f;                                    // turn of all right drags together, degrees
    float lastX_right = Constants::WINDOW_WIDTH / 2.0f;
    float yaw_middle = 0.0f;  // zoom of the current middle drag
    float lastY_middle = Constants::WINDOW_HEIGHT / 2.0f;
    float obj_lastScaleX = 1.0f, obj_lastScaleY = 1.0f, obj_lastScaleZ = initial::verticalScale;
    bool key_W_pressed = false, key_S_pressed = false;  // one exaggeration step per key press
    int vertScalebarClickY = 0;                         // y of the press inside the slider
};

enum class DragButton { None, Left, Right, Middle };

// The one button a move event acts on: the held buttons must be exactly one of the three.
DragButton dragButton(bool left, bool right, bool middle);

// Left drag: pan in screen directions whatever the turn, faster when zoomed out. `c` in screen coordinates.
void leftDrag(CameraFields& f, ModelState& s, ScreenPoint c);
// Right drag: turn about the vertical axis, 0.05 degrees per pixel, accumulated over all drags.
void rightDrag(CameraFields& f, ModelState& s, ScreenPoint c);
// Middle drag: zoom; dragging down enlarges the model. Stops short of a scale of 0.1.
void middleDrag(CameraFields& f, ModelState& s, ScreenPoint c);
// A release ends the drag of that button (the pivot cursor hides for left and right).
void releaseDrag(CameraFields& f, ModelState& s, DragButton button);

// Wheel: one layer per notch in layer view (kept within 1..layers), otherwise a vertical shift of the model. A
// delta of 0 (a horizontal scroll of a tilt wheel or touchpad) does nothing.
void wheel(ModelState& s, int delta);

enum class CameraKey { W, S, Z, X, O, L };
// The camera key a key press stands for, from the toolkit's key code (a Latin letter is its upper-case code) and
// the X11 key code of the key (0 when the platform gives none). On a Latin layout the letter decides, wherever it
// lies. On a layout without Latin letters (the Russian one and others) the key's place decides: the key where W
// lies on a US keyboard is W, by its X11 key code, or by the letter the Russian layout puts there (Ц for W).
std::optional<CameraKey> cameraKeyOf(int key, std::uint32_t x11KeyCode = 0);
// Key down. Returns the trace line to write, if any (W traces the new exaggeration).
std::optional<std::string> keyDown(CameraFields& f, ModelState& s, CameraKey key);
void keyUp(CameraFields& f, CameraKey key);

// Slider drag with the pointer at host-panel y `pointerY`: returns the slider's new top when it moves.
std::optional<int> sliderDrag(CameraFields& f, ModelState& s, int pointerY);

// Wells whose label hit box (60 x 30 pixels above the label's lower-left corner) holds the pointer `p` of the
// host panel, lowest index first. Labels outside the panel are never hit.
std::vector<int> wellsUnderPointer(const ModelState& s, ScreenPoint p, int panelWidth, int panelHeight);

// The four status bar texts: "K = ", "Z: ", "Y: ", "X: " with the pivot's model coordinates.
struct CameraStatus {
    std::string k, z, y, x;
};
CameraStatus cameraStatus(const ModelState& s);

// A float in the short general format of the status bar and the trace (up to 7 significant digits).
std::string generalNumber(float value);

}  // namespace morvane
